// flash, verify and read: the programming page's operations from the command line.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <functional>

#include "Commands.h"
#include "Console.h"
#include "OverallProgress.h"
#include "Report.h"
#include "Session.h"
#include "SeveralPorts.h"
#include "base/TextUtil.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

namespace {

int DifferenceCount() {
  return static_cast<int>(ConsoleHostInstance().Differences().size());
}

int RunCheck(Verification check) {
  if (check == Verification::None) return kExitOk;
  if (InterruptPending()) return kExitCancelled;
  ConsoleHostInstance().EnterPhase("verifying");
  bool same = false;
  {
    OperationScope run(Operation::Verifying);
    same = check == Verification::Fast ? FastVerify() : FullVerify();
  }
  ConsoleHostInstance().EndProgressLine();
  if (same) PrintOut(Cli::tr("Contents are Identical"));
  const int code = OperationExitCode(same);
  if (code == kExitFailed && ConsoleHostInstance().DifferenceFound())
    PrintError(
        DifferenceCount() == 1
            ? Cli::tr("verifying failed: 1 block differs from the image.")
            : Cli::tr("verifying failed: %1 blocks differ from the image.").arg(DifferenceCount()));
  return code;
}

// How a successful flash was checked, as its last line.
QString FlashedText(Verification check) {
  return check == Verification::Full
             ? Cli::tr("Programmed and checked by block sums and by reading every block back.")
             : Cli::tr("Programmed and checked by block sums.");
}

// The firmware the hand control holds, for the JSON document only; nothing is printed.
void ReportFirmwareBefore() {
  gHcChecksum.clear();
  std::string type;
  int16_t major = 0, minor = 0;
  const bool listed = QueryHandControlVersion(type, major, minor);
  ReportField("firmware_before", FirmwareJson(listed, type, major, minor));
}

// The job after the port is open; the caller ends the progress.
int FlashOpenHandControl(const CommandLine& cl, Verification check) {
  if (JsonWanted()) ReportFirmwareBefore();
  if (cl.IsSet("backup")) {
    ConsoleHostInstance().EnterPhase("reading");
    if (int code = ReadHandControlToFile(cl.Value("backup")); code != kExitOk) {
      PrintError(Cli::tr("no backup, so nothing was erased."));
      return code;
    }
    PrintOut(Cli::tr("Backup written to %1").arg(cl.Value("backup")));
  }
  if (InterruptPending()) return kExitCancelled;

  bool written = false;
  {
    OperationScope run(Operation::Programming);
    written = ProgramHandControl();
  }
  ConsoleHostInstance().EndProgressLine();
  if (int code = OperationExitCode(written); code != kExitOk) {
    if (code == kExitFailed && !ConsoleHostInstance().DifferenceFound())
      PrintError(
          Cli::tr("programming failed; the hand control stays in programming mode, so flash it "
                  "again."));
    if (code == kExitFailed && ConsoleHostInstance().DifferenceFound())
      PrintError(Cli::tr("programming failed: the check found blocks that differ from the image "
                         "(%1); the hand control stays in programming mode, so flash it again.")
                     .arg(DifferenceCount()));
    return code;
  }
  if (int code = RunCheck(check); code != kExitOk) return code;
  ConsoleHostInstance().EndJob();
  const int code = PrintHandControlIdentity({"firmware_after"});
  if (code == kExitOk) PrintOut(FlashedText(check));
  return code;
}

// Loads the image named on the command line and reports its name and code; listed tells whether
// PadFlasher.ver lists the code.
int LoadCommandImage(const QString& path, bool& listed) {
  ReportField("image", path);
  if (int code = LoadImageForCommand(path); code != kExitOk) return code;
  std::string type;
  int16_t major = 0, minor = 0;
  listed = GetFileVersion(type, major, minor);
  ReportField("image_code", QString::fromStdString(gFileChecksum));
  return kExitOk;
}

// One progress over the phases of plan for everything work does, ended however work ends.
int AsJob(const std::string& title, std::vector<ProgressPhase> plan,
          const std::function<int()>& work) {
  ConsoleHostInstance().BeginJob(title, std::move(plan));
  const int code = work();
  ConsoleHostInstance().EndJob();
  return code;
}

// The window's warning, and what a terminal user can do about it.
QString UnlistedImageText() {
  return QCoreApplication::translate(
             "Console",
             "Warning: Firmware file is not supported with this version of the program.\n\n"
             "The image's code %1 is not listed in PadFlasher.ver. 'padflasher-cli catalogue' "
             "refreshes that list from the download site and 'padflasher-cli download NAME' "
             "fetches a more current image; to program this one anyway, add --yes.")
      .arg(QString::fromStdString(gFileChecksum));
}

int RunFlash(const QStringList& args) {
  CommandLine cl(args, "flash [options] IMAGE",
                 Cli::tr("Erases the hand control and programs it with IMAGE, then checks every "
                         "written block's sum. Without a terminal, questions are answered by a "
                         "fixed policy: a block is retried twice, differences are all listed and "
                         "fail the command. With several ports that policy answers for each of "
                         "them, so an image PadFlasher.ver does not list needs --yes up front."));
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption({"verify",
                Cli::tr("Verification after programming: none (default; the check phase "
                        "already compared every block's sum), fast, or full (every byte)."),
                "none|fast|full", "none"});
  cl.AddOption(
      {"backup", Cli::tr("First read the hand control's current firmware into FILE."), "FILE"});
  cl.AddOption(
      {{"y", "yes"}, Cli::tr("Program an image whose code PadFlasher.ver does not list.")});
  cl.AddOption(JsonOption());
  cl.AddPositional("IMAGE", Cli::tr("Firmware image file (262144 bytes)."));
  if (int code; !cl.Parse(1, 1, code)) return code;

  QString verify = cl.Value("verify").toLower();
  if (verify != "none" && verify != "fast" && verify != "full") {
    PrintError(Cli::tr("--verify takes none, fast or full, not '%1'.").arg(cl.Value("verify")));
    return kExitUsage;
  }
  const Verification check = verify == "fast"   ? Verification::Fast
                             : verify == "full" ? Verification::Full
                                                : Verification::None;
  ReportField("verify", verify);
  ReportField("differences", QJsonArray());
  bool listed = false;
  if (int code = LoadCommandImage(cl.Positional().at(1), listed); code != kExitOk) return code;
  if (!listed && !cl.IsSet("yes")) {
    PrintError(UnlistedImageText());
    return kExitUsage;
  }
  if (cl.SeveralPorts())
    return RunOnEachPort(cl, [&](const QString&) { return QStringList{cl.Positional().at(1)}; });
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  return AsJob("Flash", FlashPlan(cl.IsSet("backup"), check),
               [&] { return FlashOpenHandControl(cl, check); });
}

int RunVerify(const QStringList& args) {
  CommandLine cl(args, "verify [options] IMAGE",
                 Cli::tr("Compares the hand control with IMAGE: every byte of every written "
                         "block, or with --fast each block's 8-bit sum (which misses two exchanged "
                         "bytes)."));
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption({"fast", Cli::tr("Compare block sums only.")});
  cl.AddOption(JsonOption());
  cl.AddPositional("IMAGE", Cli::tr("Firmware image file (262144 bytes)."));
  if (int code; !cl.Parse(1, 1, code)) return code;
  const Verification check = cl.IsSet("fast") ? Verification::Fast : Verification::Full;
  ReportField("verify", check == Verification::Fast ? "fast" : "full");
  ReportField("differences", QJsonArray());
  bool listed = false;  // verification compares whatever the image is
  if (int code = LoadCommandImage(cl.Positional().at(1), listed); code != kExitOk) return code;
  if (cl.SeveralPorts())
    return RunOnEachPort(cl, [&](const QString&) { return QStringList{cl.Positional().at(1)}; });
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  return AsJob("Verify", VerifyPlan(check), [&] { return RunCheck(check); });
}

int RunRead(const QStringList& args) {
  CommandLine cl(args, "read [options] OUT",
                 Cli::tr("Reads the blocks that programming writes into OUT, a 262144-byte image "
                         "with 0xFF elsewhere: a backup that 'flash' can write back. With several "
                         "ports OUT is a folder that receives one file per port, named after it "
                         "(COM3.bin, ttyUSB0.bin)."));
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption(JsonOption());
  cl.AddPositional("OUT", Cli::tr("Image file to write (replaced only when the read succeeds), "
                                  "or with several ports the folder for their files."));
  if (int code; !cl.Parse(1, 1, code)) return code;
  if (cl.SeveralPorts()) {
    const QString folder = cl.Positional().at(1);
    if (!QFileInfo(folder).isDir()) {
      PrintError(Cli::tr("with several ports OUT is the folder for their files, and %1 is no "
                         "folder.")
                     .arg(folder));
      return kExitUsage;
    }
    return RunOnEachPort(
        cl, [&](const QString& tag) { return QStringList{QDir(folder).filePath(tag + ".bin")}; });
  }
  ReportField("file", cl.Positional().at(1));
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  const int code =
      AsJob("Read", ReadPlan(), [&] { return ReadHandControlToFile(cl.Positional().at(1)); });
  if (code == kExitOk) {
    ReportField("file_bytes", kImageSize);
    PrintOut(Cli::tr("Read %1 bytes into %2").arg(kImageSize).arg(cl.Positional().at(1)));
  }
  return code;
}

const CommandRegistrar kFlash{
    {"flash", QT_TRANSLATE_NOOP("Cli", "program the hand control with an image"), RunFlash}};
const CommandRegistrar kVerify{
    {"verify", QT_TRANSLATE_NOOP("Cli", "compare the hand control with an image"), RunVerify}};
const CommandRegistrar kRead{
    {"read", QT_TRANSLATE_NOOP("Cli", "read the hand control's firmware into a file"), RunRead}};

}  // namespace
