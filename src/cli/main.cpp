// padflasher-cli: the hand control operations of PadFlasher from a terminal or a script.
#include <QCoreApplication>
#include <cstdio>

#include "Commands.h"
#include "Console.h"
#include "Session.h"
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "startup/Startup.h"

namespace {

void PrintUsage(FILE* out) {
  std::fputs(
      "Usage: padflasher-cli COMMAND [options] [arguments]\n"
      "\n"
      "Updates the firmware of a telescope hand control over a serial cable.\n"
      "\n"
      "Commands:\n",
      out);
  for (const Command& command : Commands())
    std::fprintf(out, "  %-10s %s\n", command.name.c_str(), command.summary.c_str());
  std::fputs(
      "\n"
      "Every command takes --folder DIR (the program folder with PadFlasher.ini, PadFlasher.ver,\n"
      "ports/ and the firmware files), --debug-log and --help.\n"
      "\n"
      "Exit codes: 0 success; 1 the hand control did not answer, failed, or differs;\n"
      "2 bad usage or a bad input file; 130 cancelled by the user (Ctrl-C).\n",
      out);
}

// Options may come before the command name too: "padflasher-cli --folder X flash ...".
QStringList CommandFirst(const QStringList& args) {
  QStringList leading;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (!arg.startsWith('-')) {
      QStringList result{arg};
      result += leading;
      result += args.mid(i + 1);
      return result;
    }
    leading << arg;
    if (arg == "--folder" && i + 1 < args.size()) leading << args[++i];
  }
  return leading;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  InitProgramPaths();
  InstallInterruptHandler();
  InstallConsoleServices();

  QStringList args = CommandFirst(app.arguments().mid(1));
  if (args.isEmpty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const QString& name = args.first();
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (name == "--version") {
    std::printf("padflasher-cli %s\n", ProgramVersionText().c_str());
    return kExitOk;
  }
  const Command* command = FindCommand(name.toStdString());
  if (!command) {
    PrintError("unknown command '" + name + "'. Run 'padflasher-cli --help' for the list.");
    return kExitUsage;
  }
  int code = command->run(args);
  ConsoleHostInstance().EndProgressLine();
  PrintStatsIfWanted();
  CloseComPort();
  CloseDebugLog();
  return code;
}
