// The command registry and the argument handling every command shares.
#include "Commands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <map>

#include "Console.h"
#include "Session.h"
#include "base/DebugLog.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

namespace {

// A function-local table, so registrars in any translation unit may run first.
std::map<std::string, Command>& Registry() {
  static std::map<std::string, Command> registry;
  return registry;
}

// The CLI reads the window program's files, so it uses the window program's base name.
constexpr const char* kProgramBaseName = "PadFlasher";

}  // namespace

CommandRegistrar::CommandRegistrar(Command command) {
  Registry()[command.name] = std::move(command);
}

std::vector<Command> Commands() {
  std::vector<Command> list;
  for (const auto& [name, command] : Registry()) list.push_back(command);
  return list;
}

const Command* FindCommand(const std::string& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : &it->second;
}

void PrintError(const QString& message) {
  ConsoleHostInstance().EndProgressLine();
  std::fprintf(stderr, "padflasher-cli: %s\n", message.toLocal8Bit().constData());
  std::fflush(stderr);
}

void PrintOut(const QString& line) {
  ConsoleHostInstance().EndProgressLine();
  std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
  std::fflush(stdout);
}

CommandLine::CommandLine(const QStringList& args, const QString& usage, const QString& description)
    : args_(args), usage_(usage) {
  parser_.setApplicationDescription(description);
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.addHelpOption();
  parser_.addOption({"folder",
                     "Program folder holding PadFlasher.ini, PadFlasher.ver, ports/ and the "
                     "firmware files (default: the folder of the executables).",
                     "DIR"});
  parser_.addOption({"debug-log", "Write debugexe.txt in the current folder."});
  parser_.addOption(
      {"stats", "Print the bytes sent and received and the CPU time used at the end."});
}

void CommandLine::AddPositional(const QString& name, const QString& description) {
  parser_.addPositionalArgument(name, description);
}

QString CommandLine::HelpText() const {
  QString text = parser_.helpText();
  // Qt's first line names the executable's path; ours names the command.
  int eol = text.indexOf('\n');
  return "Usage: padflasher-cli " + usage_ + (eol >= 0 ? text.mid(eol) : QString());
}

bool CommandLine::Parse(int minPositional, int maxPositional, int& exitCode) {
  // QCommandLineParser expects the program name first.
  QStringList full = args_;
  full.prepend("padflasher-cli");
  if (!parser_.parse(full)) {
    PrintError(parser_.errorText() + "\n" + "Try 'padflasher-cli " + args_.value(0) + " --help'.");
    exitCode = kExitUsage;
    return false;
  }
  if (parser_.isSet("help")) {
    std::fputs(HelpText().toLocal8Bit().constData(), stdout);
    exitCode = kExitOk;
    return false;
  }
  // The command's own name is the first positional argument.
  QStringList positional = parser_.positionalArguments();
  int count = static_cast<int>(positional.size()) - 1;
  if (count < minPositional || count > maxPositional) {
    PrintError((count < minPositional ? "missing argument"
                                      : "unexpected argument '" + positional.last() + "'") +
               QString("\nUsage: padflasher-cli ") + usage_);
    exitCode = kExitUsage;
    return false;
  }

  QString folder =
      parser_.isSet("folder") ? parser_.value("folder") : QString::fromStdString(gProgramFolder);
  QFileInfo info(folder);
  if (!info.isDir()) {
    PrintError("program folder '" + folder + "' does not exist or is not a folder.");
    exitCode = kExitUsage;
    return false;
  }
  SetProgramPaths(QDir::cleanPath(info.absoluteFilePath()).toStdString(), kProgramBaseName);

  // The log goes to the current folder, opened before the settings are read so that it carries
  // the same lines as the window program's log.
  if (parser_.isSet("debug-log")) OpenDebugLog();
  if (FileExists(SettingsFileName())) LoadSettings(SettingsFileName());
  if (FileExists(VersionsFileName())) LoadVersions(VersionsFileName());
  // The command line decides about the log, not DEBUGFILTER10.
  SetDebugEnabled(parser_.isSet("debug-log"));
  SetStatsWanted(parser_.isSet("stats"));
  return true;
}
