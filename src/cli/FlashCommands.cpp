// flash, verify and read: the programming page's operations from the command line.
#include "Commands.h"
#include "Console.h"
#include "Session.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"

namespace {

enum class Check { None, Fast, Full };

int RunCheck(Check check) {
  if (check == Check::None) return kExitOk;
  if (InterruptPending()) return kExitCancelled;
  gProgramming = false;
  gCancelVerify = false;
  gVerifying = true;
  bool same = check == Check::Fast ? FastVerify() : FullVerify();
  gVerifying = false;
  ConsoleHostInstance().EndProgressLine();
  if (same) PrintOut("Contents are Identical");
  return OperationExitCode(same);
}

int RunFlash(const QStringList& args) {
  CommandLine cl(args, "flash [options] IMAGE",
                 "Erases the hand control and programs it with IMAGE, then checks every written "
                 "block's sum. Without a terminal, questions are answered by a fixed policy: a "
                 "block is retried twice, differences are all listed and fail the command.");
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption({"verify",
                "Verification after programming: none (default; the check phase already "
                "compared every block's sum), fast, or full (every byte).",
                "none|fast|full", "none"});
  cl.AddOption({"backup", "First read the hand control's current firmware into FILE.", "FILE"});
  cl.AddOption({"yes", "Program an image whose code PadFlasher.ver does not list."});
  cl.AddPositional("IMAGE", "Firmware image file (262144 bytes).");
  if (int code; !cl.Parse(1, 1, code)) return code;

  QString verify = cl.Value("verify").toLower();
  if (verify != "none" && verify != "fast" && verify != "full") {
    PrintError("--verify takes none, fast or full, not '" + cl.Value("verify") + "'.");
    return kExitUsage;
  }
  Check check = verify == "fast" ? Check::Fast : verify == "full" ? Check::Full : Check::None;
  if (int code = LoadImageForCommand(cl.Positional().at(1)); code != kExitOk) return code;
  std::string type;
  int16_t major = 0, minor = 0;
  if (!GetFileVersion(type, major, minor) && !cl.IsSet("yes")) {
    PrintError(QString::fromStdString(WithLfLineEnds(kUnsupportedFirmwareQuestion)) +
               "\nThe image's code " + QString::fromStdString(gFileChecksum) +
               " is not listed in PadFlasher.ver; add --yes to program it anyway.");
    return kExitUsage;
  }
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  if (cl.IsSet("backup")) {
    if (int code = ReadHandControlToFile(cl.Value("backup")); code != kExitOk) {
      PrintError("no backup, so nothing was erased.");
      return code;
    }
    PrintOut("Backup written to " + cl.Value("backup"));
  }
  if (InterruptPending()) return kExitCancelled;

  gCancelProgramming = false;
  gCancelVerify = false;
  gVerifying = false;
  gProgramming = true;
  bool written = ProgramHandControl();
  gProgramming = false;
  gVerifying = false;
  ConsoleHostInstance().EndProgressLine();
  if (int code = OperationExitCode(written); code != kExitOk) {
    if (code == kExitFailed && !ConsoleHostInstance().DifferenceFound())
      PrintError(
          "programming failed; the hand control stays in programming mode, so flash it "
          "again.");
    return code;
  }
  if (int code = RunCheck(check); code != kExitOk) return code;
  return PrintHandControlIdentity();
}

int RunVerify(const QStringList& args) {
  CommandLine cl(args, "verify [options] IMAGE",
                 "Compares the hand control with IMAGE: every byte of every written block, or "
                 "with --fast each block's 8-bit sum (which misses two exchanged bytes).");
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption({"fast", "Compare block sums only."});
  cl.AddPositional("IMAGE", "Firmware image file (262144 bytes).");
  if (int code; !cl.Parse(1, 1, code)) return code;
  if (int code = LoadImageForCommand(cl.Positional().at(1)); code != kExitOk) return code;
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  return RunCheck(cl.IsSet("fast") ? Check::Fast : Check::Full);
}

int RunRead(const QStringList& args) {
  CommandLine cl(args, "read [options] OUT",
                 "Reads the blocks that programming writes into OUT, a 262144-byte image with "
                 "0xFF elsewhere: a backup that 'flash' can write back.");
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddPositional("OUT", "Image file to write (replaced only when the read succeeds).");
  if (int code; !cl.Parse(1, 1, code)) return code;
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  return ReadHandControlToFile(cl.Positional().at(1));
}

const CommandRegistrar kFlash{{"flash", "program the hand control with an image", RunFlash}};
const CommandRegistrar kVerify{{"verify", "compare the hand control with an image", RunVerify}};
const CommandRegistrar kRead{{"read", "read the hand control's firmware into a file", RunRead}};

}  // namespace
