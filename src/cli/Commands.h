#pragma once
// The commands of padflasher-cli and what they share.
//
// Adding a command: in a new .cpp file of src/cli (every .cpp there is linked into the CLI),
// write a function `int RunMine(const QStringList& args)` and register it with a static object:
//
//   static const CommandRegistrar kMine{{"mine", "one-line summary for the command list",
//   RunMine}};
//
// args[0] is "mine"; the rest are the command's own arguments. Parse them with CommandLine below,
// which adds the options every command takes (--folder, --debug-log, --stats, --help) and sets up
// the program folder; return one of the exit codes.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the hand control did not answer, failed, or differs
constexpr int kExitUsage = 2;   // bad usage or a bad input file
constexpr int kExitCancelled = 130;

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

// Parses one command's arguments. Typical use:
//   CommandLine cl(args, "flash [options] IMAGE", "Programs the hand control with IMAGE.");
//   cl.AddOption({"yes", "Program an image this program does not list."});
//   cl.AddPositional("IMAGE", "The firmware image file (262144 bytes).");
//   if (int code; !cl.Parse(1, 1, code)) return code;
class CommandLine {
 public:
  CommandLine(const QStringList& args, const QString& usage, const QString& description);
  void AddOption(const QCommandLineOption& option) { parser_.addOption(option); }
  void AddPositional(const QString& name, const QString& description);
  // Parses, then applies --folder and --debug-log (program folder, settings, versions file, debug
  // log). Returns false with exitCode set when the command should end now: after --help (0), or
  // on bad usage (2, with a message on stderr).
  bool Parse(int minPositional, int maxPositional, int& exitCode);
  QCommandLineParser& Parser() { return parser_; }
  QStringList Positional() const { return parser_.positionalArguments(); }
  bool IsSet(const QString& name) const { return parser_.isSet(name); }
  QString Value(const QString& name) const { return parser_.value(name); }
  QString HelpText() const;

 private:
  QStringList args_;
  QString usage_;
  QCommandLineParser parser_;
};

// Prints "padflasher-cli: " + message on stderr.
void PrintError(const QString& message);
void PrintOut(const QString& line);
