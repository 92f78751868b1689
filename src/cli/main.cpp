// padflasher-cli: the hand control operations of PadFlasher from a terminal or a script.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "Commands.h"
#include "Completion.h"
#include "Console.h"
#include "Report.h"
#include "Session.h"
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "startup/Language.h"
#include "startup/Startup.h"

namespace {

void PrintUsage(FILE* out) {
  QString text = Cli::tr(
      "Usage: padflasher-cli [global options] COMMAND [options] [arguments]\n"
      "\n"
      "Updates the firmware of a telescope hand control over a serial cable.\n"
      "\n"
      "Commands:\n");
  for (const Command& command : Commands())
    text += QString("  %1 %2\n")
                .arg(QString::fromStdString(command.name), -10)
                .arg(Cli::tr(command.summary.c_str()));
  text += Cli::tr("\nGlobal options (before or after the command):\n") +
          FormatOptions(GlobalOptions()) + "\n" +
          Wrapped(Cli::tr("Run 'padflasher-cli COMMAND --help' for a command's own options and "
                          "arguments.")) +
          "\n" +
          Wrapped(Cli::tr(
              "Exit codes: 0 success; 1 the hand control did not answer, failed, or differs; "
              "2 bad usage or a bad input file; 130 cancelled by the user (Ctrl-C). With several "
              "ports: 0 only when every port succeeded, else the worst of them, 130 before 1 "
              "before 2.")) +
          "\n" +
          Wrapped(Cli::tr("The README and the other documents lie in %1 once installed; see also "
                          "the manual page padflasher-cli(1).")
                      .arg(PADFLASHER_DOC_DIR));
  std::fputs(text.toLocal8Bit().constData(), out);
}

// Global options may come before the command name too: "padflasher-cli --folder X flash ...".
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
    if ((arg == "--folder" || arg == "--trace" || arg == "--lang") && i + 1 < args.size())
      leading << args[++i];
  }
  return leading;
}

// --lang LANG or --lang=LANG anywhere on the line; empty when not given.
std::string LanguageArgument(const QStringList& args) {
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang" && i + 1 < args.size()) return args[i + 1].toStdString();
    if (args[i].startsWith("--lang=")) return args[i].mid(7).toStdString();
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  InitProgramPaths();
  InstallTranslators(ChooseLanguage(SystemEnvironment(), LanguageArgument(app.arguments())),
                     TranslationsFolder());
  InstallInterruptHandler();
  InstallConsoleServices();

  // Not in the help: what the package's completion scripts are made with.
  if (app.arguments().size() == 3 && app.arguments()[1] == "--completion")
    return PrintCompletion(app.arguments()[2]);
  QStringList args = CommandFirst(app.arguments().mid(1));
  if (args.isEmpty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const QString& name = args.first();
  if (name.startsWith('-')) {
    // Only global options and no command: help and version are the ones that make sense alone.
    if (args.contains("--help") || args.contains("-h")) {
      PrintUsage(stdout);
      return kExitOk;
    }
    if (args.contains("--version") || args.contains("-V")) {
      std::printf("padflasher-cli %s\n", ProgramVersionText().c_str());
      return kExitOk;
    }
    PrintError(Cli::tr("no command given.\nRun 'padflasher-cli --help' for the list."));
    return kExitUsage;
  }
  if (name == "help") {
    const Command* topic = args.size() > 1 ? FindCommand(args[1].toStdString()) : nullptr;
    if (!topic) {
      PrintUsage(stdout);
      return kExitOk;
    }
    return topic->run({args[1], "--help"});
  }
  const Command* command = FindCommand(name.toStdString());
  if (!command) {
    const std::string nearest = NearestCommand(name.toStdString());
    PrintError(
        nearest.empty()
            ? Cli::tr("unknown command '%1'.\nRun 'padflasher-cli --help' for the list.").arg(name)
            : Cli::tr("unknown command '%1'; did you mean '%2'?\nRun 'padflasher-cli --help' for "
                      "the list.")
                  .arg(name, QString::fromStdString(nearest)));
    // A script that asked for a document gets one for bad usage too.
    SetJsonWanted(args.contains("--json"));
    PrintReport(name, kExitUsage, 0);
    return kExitUsage;
  }
  QElapsedTimer clock;
  clock.start();
  int code = command->run(args);
  ConsoleHostInstance().EndProgressLine();
  CloseComPort();
  if (!EndTrace() && code == kExitOk) code = kExitFailed;
  PrintStatsIfWanted();
  PrintReport(name, code, clock.nsecsElapsed() / 1e9);
  CloseDebugLog();
  return code;
}
