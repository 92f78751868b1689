#pragma once
// The commands of padflasher-cli and what they share.
//
// Adding a command: in a new .cpp file of src/cli, write a function
// `int RunMine(const QStringList& args)` and register it with a static object:
//
//   static const CommandRegistrar kMine{{"mine", "one-line summary for the command list",
//   RunMine}};
//
// args[0] is "mine"; the rest are the command's own arguments. Parse them with CommandLine below,
// which adds the global options (GlobalOptions()) and sets up the program folder; return one of
// the exit codes.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// The context of the CLI's own texts in the catalogues: Cli::tr("...") with %1 for each value.
struct Cli {
  Q_DECLARE_TR_FUNCTIONS(Cli)
};

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the hand control did not answer, failed, or differs
constexpr int kExitUsage = 2;   // bad usage or a bad input file
constexpr int kExitCancelled = 130;

// "success", "failed", "bad usage or input", "cancelled": for the JSON documents.
QString ExitMeaning(int code);

struct Command {
  std::string name;
  std::string summary;
  int (*run)(const QStringList& args);
};

class CommandRegistrar {
 public:
  explicit CommandRegistrar(Command command);
};

// Registered commands, sorted by name.
std::vector<Command> Commands();
const Command* FindCommand(const std::string& name);
// The registered command closest to a mistyped name (at most two edits, or a prefix); empty when
// none is close.
std::string NearestCommand(const std::string& name);

// What shell completion knows of a command: what its CommandLine declares.
struct CommandDescription {
  std::string name;
  std::string summary;
  std::vector<QCommandLineOption> options;  // its own; every command takes GlobalOptions() too
  std::vector<std::pair<QString, QString>> positional;  // name, description
  std::vector<std::pair<QString, QStringList>> subcommands;
};
// Every registered command, described by running it with a CommandLine that records what it
// declares and ends the command before it parses anything.
std::vector<CommandDescription> DescribeCommands();

// The options every command takes, in the order the help lists them.
std::vector<QCommandLineOption> GlobalOptions();
// Option lines as every help text shows them: names and value, then the wrapped description.
QString FormatOptions(const std::vector<QCommandLineOption>& options);
// The text wrapped at the help's width.
QString Wrapped(const QString& text, int indent = 0);

// Parses one command's arguments. Typical use:
//   CommandLine cl(args, "flash [options] IMAGE", "Programs the hand control with IMAGE.");
//   cl.AddOption({"yes", "Program an image this program does not list."});
//   cl.AddPositional("IMAGE", "The firmware image file (262144 bytes).");
//   if (int code; !cl.Parse(1, 1, code)) return code;
class CommandLine {
 public:
  CommandLine(const QStringList& args, const QString& usage, const QString& description);
  void AddOption(const QCommandLineOption& option);
  void AddPositional(const QString& name, const QString& description);
  // A word that may stand first among the arguments, and the names of the arguments after it;
  // for completion (the usage line tells the help's reader).
  void AddSubcommand(const QString& word, const QStringList& arguments);
  // Parses, then applies the global options (program folder, settings, versions file, debug log,
  // output level, JSON, trace). Returns false with exitCode set when the command should end now:
  // after --help or --version (0), or on bad usage (2, with a message on stderr).
  bool Parse(int minPositional, int maxPositional, int& exitCode);
  QStringList Positional() const { return parser_.positionalArguments(); }
  bool IsSet(const QString& name) const { return parser_.isSet(name); }
  QString Value(const QString& name) const { return parser_.value(name); }
  QString HelpText() const;
  // Every --port given, in order; several run the command on each at once (SeveralPorts.h).
  QStringList Ports() const;
  bool SeveralPorts() const { return Ports().size() > 1; }
  // The arguments of the copy of this program that runs the command on port alone: the options
  // as given (a FILE option named per port), --port, --json, --worker TAG, then positional.
  QStringList WorkerArguments(const QString& port, const QString& tag,
                              const QStringList& positional) const;

 private:
  bool Takes(const QString& name) const;  // whether the command has this option
  QString ParseErrorText() const;

  QStringList args_;
  QString usage_;
  QString description_;
  QCommandLineParser parser_;
  std::vector<QCommandLineOption> own_;
  std::vector<std::pair<QString, QString>> positional_;
  std::vector<std::pair<QString, QStringList>> subcommands_;
};

// Prints "padflasher-cli: " + message on stderr.
void PrintError(const QString& message);
// A result line on stdout; under --json on stderr, since stdout carries the document alone.
void PrintOut(const QString& line);
