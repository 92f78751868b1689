// The command registry and the argument handling every command shares.
#include "Commands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <map>

#include "Console.h"
#include "PortArgument.h"
#include "Report.h"
#include "Session.h"
#include "SeveralPorts.h"
#include "base/DebugLog.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

namespace {

// Set while DescribeCommands runs a command: its CommandLine fills it in instead of parsing.
CommandDescription* gDescribing = nullptr;

// A function-local table, so registrars in any translation unit may run first.
std::map<std::string, Command>& Registry() {
  static std::map<std::string, Command> registry;
  return registry;
}

// The CLI reads the window program's files, so it uses the window program's base name.
constexpr const char* kProgramBaseName = "PadFlasher";
constexpr int kHelpWidth = 100;
constexpr int kOptionColumn = 24;

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The candidate closest to a mistyped name (at most two edits, or a prefix); empty when none is.
std::string Nearest(const std::string& name, const std::vector<std::string>& candidates) {
  std::string best;
  size_t bestDistance = 3;
  for (const std::string& candidate : candidates) {
    const bool prefix = name.size() >= 2 && candidate.rfind(name, 0) == 0;
    const size_t distance = prefix ? 0 : EditDistance(name, candidate);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  return best;
}

QString OptionNames(const QCommandLineOption& option) {
  QStringList names;
  for (const QString& name : option.names()) names << (name.size() == 1 ? "-" : "--") + name;
  // Short names first, as in "-q, --quiet".
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return a.size() < b.size(); });
  QString text = names.join(", ");
  if (!option.valueName().isEmpty()) text += " " + option.valueName();
  return text.size() > 1 && text[1] == '-' ? "    " + text : text;
}

QString Column(const QString& left, const QString& text) {
  QString line = "  " + left;
  if (line.size() + 2 > kOptionColumn) return line + "\n" + Wrapped(text, kOptionColumn);
  return line.leftJustified(kOptionColumn) + Wrapped(text, kOptionColumn).mid(kOptionColumn);
}

}  // namespace

QString ExitMeaning(int code) {
  switch (code) {
    case kExitOk:
      return "success";
    case kExitFailed:
      return "failed";
    case kExitUsage:
      return "bad usage or input";
    case kExitCancelled:
      return "cancelled";
    default:
      return "unknown";
  }
}

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

std::string NearestCommand(const std::string& name) {
  std::vector<std::string> names;
  for (const auto& [candidate, command] : Registry()) names.push_back(candidate);
  return Nearest(name, names);
}

std::vector<CommandDescription> DescribeCommands() {
  std::vector<CommandDescription> descriptions;
  for (const auto& [name, command] : Registry()) {
    CommandDescription description{name, command.summary, {}, {}, {}};
    gDescribing = &description;
    command.run({QString::fromStdString(name)});
    gDescribing = nullptr;
    descriptions.push_back(std::move(description));
  }
  return descriptions;
}

std::vector<QCommandLineOption> GlobalOptions() {
  return {
      {"folder",
       Cli::tr("Program folder holding PadFlasher.ini, PadFlasher.ver, ports/ and the firmware "
               "files (default: the folder of the executables; installed: "
               "~/.local/share/PadFlasher, settings in ~/.config/PadFlasher)."),
       "DIR"},
      {{"q", "quiet"}, Cli::tr("No progress; only errors and the result.")},
      {{"v", "verbose"},
       Cli::tr("Show each command sent to the hand control and each reply on stderr (block data "
               "abbreviated).")},
      {"trace",
       Cli::tr("Write every byte sent and received, with a microsecond time stamp and its "
               "direction, to FILE."),
       "FILE"},
      {"debug-log",
       Cli::tr("Write debugexe.txt in the current folder (installed without --folder: in "
               "~/.local/state/PadFlasher).")},
      {"stats", Cli::tr("Print the bytes sent and received and the CPU time used at the end.")},
      {"lang",
       Cli::tr("Show texts in LANG (en, de, fr) instead of the language of the environment."),
       "LANG"},
      {{"h", "help"}, Cli::tr("Show this help.")},
      {{"V", "version"}, Cli::tr("Show the program's version.")},
  };
}

QString Wrapped(const QString& text, int indent) {
  QString out;
  QString line;
  for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
    if (!line.isEmpty() && indent + line.size() + 1 + word.size() > kHelpWidth) {
      out += QString(indent, ' ') + line + "\n";
      line.clear();
    }
    line += (line.isEmpty() ? "" : " ") + word;
  }
  if (!line.isEmpty()) out += QString(indent, ' ') + line + "\n";
  return out;
}

QString FormatOptions(const std::vector<QCommandLineOption>& options) {
  QString text;
  for (const QCommandLineOption& option : options)
    text += Column(OptionNames(option), option.description());
  return text;
}

void PrintError(const QString& message) {
  ConsoleHostInstance().EndProgressLine();
  NoteError(message);
  std::fprintf(stderr, "padflasher-cli: %s\n", message.toLocal8Bit().constData());
  std::fflush(stderr);
}

void PrintOut(const QString& line) {
  ConsoleHostInstance().EndProgressLine();
  FILE* out = JsonWanted() ? stderr : stdout;
  std::fprintf(out, "%s\n", line.toLocal8Bit().constData());
  std::fflush(out);
}

CommandLine::CommandLine(const QStringList& args, const QString& usage, const QString& description)
    : args_(args), usage_(usage), description_(description) {
  for (const QCommandLineOption& option : GlobalOptions()) parser_.addOption(option);
  // Given only by the copy that runs several ports to the copies it starts: not for people.
  QCommandLineOption worker("worker", QString(), "TAG");
  worker.setFlags(QCommandLineOption::HiddenFromHelp);
  parser_.addOption(worker);
}

QStringList CommandLine::Ports() const {
  return Takes("port") ? parser_.values("port") : QStringList();
}

QStringList CommandLine::WorkerArguments(const QString& port, const QString& tag,
                                         const QStringList& positional) const {
  QStringList args{args_.value(0)};
  std::vector<QCommandLineOption> options = GlobalOptions();
  options.insert(options.end(), own_.begin(), own_.end());
  for (const QCommandLineOption& option : options) {
    const QString name = option.names().last();  // the long one
    // --stats is this copy's: it counts the bytes and CPU time of all of them.
    if (name == "port" || name == "json" || name == "stats" || !parser_.isSet(name)) continue;
    args << "--" + name;
    if (option.valueName().isEmpty()) continue;
    // Copies writing one file at once would spoil it.
    const QString value = parser_.value(name);
    args << (option.valueName() == "FILE" ? PerPortFileName(value, tag) : value);
  }
  return args + QStringList{"--port", port, "--json", "--worker", tag, "--"} + positional;
}

void CommandLine::AddOption(const QCommandLineOption& option) {
  own_.push_back(option);
  parser_.addOption(option);
}

void CommandLine::AddPositional(const QString& name, const QString& description) {
  positional_.emplace_back(name, description);
  parser_.addPositionalArgument(name, description);
}

void CommandLine::AddSubcommand(const QString& word, const QStringList& arguments) {
  subcommands_.emplace_back(word, arguments);
}

QString CommandLine::HelpText() const {
  QString text = Cli::tr("Usage: padflasher-cli %1\n\n").arg(usage_) + Wrapped(description_);
  if (!positional_.empty()) {
    text += Cli::tr("\nArguments:\n");
    for (const auto& [name, description] : positional_) text += Column(name, description);
  }
  if (!own_.empty()) text += Cli::tr("\nOptions:\n") + FormatOptions(own_);
  text += Cli::tr("\nGlobal options:\n") + FormatOptions(GlobalOptions());
  return text;
}

bool CommandLine::Takes(const QString& name) const {
  return std::any_of(own_.begin(), own_.end(),
                     [&](const QCommandLineOption& o) { return o.names().contains(name); });
}

// Qt's text, in lower case like the other errors; an unknown option as an unknown command is
// told, with the nearest option the command takes.
QString CommandLine::ParseErrorText() const {
  const QStringList unknown = parser_.unknownOptionNames();
  if (unknown.isEmpty()) {
    QString text = parser_.errorText();
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text;
  }
  const QString& name = unknown.first();
  const bool typedLong = std::any_of(args_.begin(), args_.end(), [&](const QString& arg) {
    return arg == "--" + name || arg.startsWith("--" + name + "=");
  });
  const QString typed = (typedLong || name.size() > 1 ? "--" : "-") + name;
  std::vector<QCommandLineOption> options = GlobalOptions();
  options.insert(options.end(), own_.begin(), own_.end());
  std::vector<std::string> names;
  for (const QCommandLineOption& option : options) {
    for (const QString& n : option.names())
      if (n.size() > 1) names.push_back(n.toStdString());
  }
  const std::string nearest = name.size() > 1 ? Nearest(name.toStdString(), names) : "";
  return "unknown option '" + typed + "'" +
         (nearest.empty() ? "" : "; did you mean '--" + QString::fromStdString(nearest) + "'?");
}

bool CommandLine::Parse(int minPositional, int maxPositional, int& exitCode) {
  if (gDescribing) {
    gDescribing->options = own_;
    gDescribing->positional = positional_;
    gDescribing->subcommands = subcommands_;
    exitCode = kExitOk;
    return false;
  }
  // QCommandLineParser expects the program name first.
  QStringList full = args_;
  full.prepend("padflasher-cli");
  if (!parser_.parse(full)) {
    // A script that asked for a document gets one for bad usage too.
    SetJsonWanted(Takes("json") && args_.contains("--json"));
    PrintError(
        Cli::tr("%1\nTry 'padflasher-cli %2 --help'.").arg(ParseErrorText(), args_.value(0)));
    exitCode = kExitUsage;
    return false;
  }
  if (parser_.isSet("help")) {
    std::fputs(HelpText().toLocal8Bit().constData(), stdout);
    exitCode = kExitOk;
    return false;
  }
  if (parser_.isSet("version")) {
    std::printf("padflasher-cli %s\n", ProgramVersionText().c_str());
    exitCode = kExitOk;
    return false;
  }
  SetJsonWanted(Takes("json") && parser_.isSet("json"));
  if (parser_.isSet("quiet") && parser_.isSet("verbose")) {
    PrintError(Cli::tr("--quiet and --verbose exclude each other."));
    exitCode = kExitUsage;
    return false;
  }
  QStringList tags;
  for (const QString& port : Ports()) {
    QString problem = ImpossiblePortName(port);
    if (problem.isEmpty() && tags.contains(PortTag(port), Qt::CaseInsensitive))
      problem = Cli::tr("the port %1 is given twice.").arg(port);
    if (!problem.isEmpty()) {
      PrintError(problem);
      exitCode = kExitUsage;
      return false;
    }
    tags << PortTag(port);
  }
  // The command's own name is the first positional argument.
  QStringList positional = parser_.positionalArguments();
  int count = static_cast<int>(positional.size()) - 1;
  if (count < minPositional || count > maxPositional) {
    QString missing;
    for (int i = std::max(count, 0); i < minPositional && i < int(positional_.size()); ++i)
      missing += (missing.isEmpty() ? "" : " ") + positional_[i].first;
    PrintError((count < minPositional
                    ? Cli::tr("missing argument %1\nUsage: padflasher-cli %2").arg(missing, usage_)
                    : Cli::tr("unexpected argument '%1'\nUsage: padflasher-cli %2")
                          .arg(positional.last(), usage_)));
    exitCode = kExitUsage;
    return false;
  }

  // --folder always names a portable program folder; without it the CLI follows the
  // executable: beside it when portable, the user's XDG folders when installed.
  const bool portable = parser_.isSet("folder") || !ProgramInstalled();
  if (portable) {
    QString folder =
        parser_.isSet("folder") ? parser_.value("folder") : QString::fromStdString(gProgramFolder);
    QFileInfo info(folder);
    if (!info.isDir()) {
      PrintError(Cli::tr("program folder '%1' does not exist or is not a folder.").arg(folder));
      exitCode = kExitUsage;
      return false;
    }
    SetProgramPaths(QDir::cleanPath(info.absoluteFilePath()).toStdString(), kProgramBaseName);
  }

  // The log is opened before the settings are read so that it carries the same lines as the
  // window program's log.
  const QString worker = parser_.value("worker");
  if (!worker.isEmpty()) {
    SetDebugLogName(("debugexe-" + PortTag(worker) + ".txt").toStdString());
    ConsoleHostInstance().SetWorker(true);
  }
  // With several ports each copy keeps its own log and trace; this one has nothing to record.
  if (parser_.isSet("debug-log") && !SeveralPorts()) OpenDebugLog();
  std::string error;
  if (!MakeProgramFolders(error)) {
    PrintError(QString::fromStdString(error));
    exitCode = kExitUsage;
    return false;
  }
  if (FileExists(SettingsFileName())) LoadSettings(SettingsFileName());
  if (FileExists(VersionsFileName())) LoadVersions(VersionsFileName());
  // The command line decides about the log, not DEBUGFILTER10.
  SetDebugEnabled(parser_.isSet("debug-log"));
  SetStatsWanted(parser_.isSet("stats"));
  ConsoleHostInstance().SetQuiet(parser_.isSet("quiet"));
  SetVerbose(parser_.isSet("verbose"));
  if (parser_.isSet("trace") && !SeveralPorts() && !StartTrace(parser_.value("trace"))) {
    exitCode = kExitUsage;
    return false;
  }
  return true;
}
