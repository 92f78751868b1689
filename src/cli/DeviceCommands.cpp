// identify: what the hand control holds.
#include <cstdio>

#include "Commands.h"
#include "Console.h"
#include "Report.h"
#include "Session.h"
#include "SeveralPorts.h"
#include "base/TextUtil.h"
#include "programmer/Link.h"
#include "startup/Versions.h"

int PrintHandControlIdentity(const QStringList& reportKeys) {
  gHcChecksum.clear();
  std::string type;
  int16_t major = 0, minor = 0;
  bool listed = QueryHandControlVersion(type, major, minor);
  for (const QString& key : reportKeys) ReportField(key, FirmwareJson(listed, type, major, minor));
  if (gHcChecksum.empty() && PortWasLost()) return kExitFailed;
  if (gHcChecksum.empty()) {
    PrintError(Cli::tr("the hand control answered the presence test but not the firmware query."));
    return kExitFailed;
  }
  const QString unknown = Cli::tr("Unknown");
  // The code is four characters of the hand control's reply: whatever it sent.
  PrintOut(Cli::tr("Code: %1").arg(QString::fromStdString(EscapedForDisplay(gHcChecksum))));
  PrintOut(Cli::tr("Type: %1").arg(listed ? QString::fromStdString(type) : unknown));
  PrintOut(Cli::tr("Version: %1")
               .arg(listed ? QString::fromStdString(VersionText(major, minor)) : unknown));
  return kExitOk;
}

namespace {

int RunIdentify(const QStringList& args) {
  CommandLine cl(args, "identify [options]",
                 Cli::tr("Tests that the hand control answers in programming mode and shows the "
                         "firmware it holds: its code, and its type and version from "
                         "PadFlasher.ver."));
  cl.AddOption({"port", PortOptionDescription(), "PORT"});
  cl.AddOption(JsonOption());
  if (int code; !cl.Parse(0, 0, code)) return code;
  if (cl.SeveralPorts()) return RunOnEachPort(cl, [](const QString&) { return QStringList(); });
  if (int code = OpenHandControl(cl.Value("port")); code != kExitOk) return code;
  int code = PrintHandControlIdentity({"firmware_before", "firmware_after"});
  return InterruptPending() ? kExitCancelled : code;
}

const CommandRegistrar kIdentify{
    {"identify", QT_TRANSLATE_NOOP("Cli", "test for the hand control and show its firmware"),
     RunIdentify}};

}  // namespace
