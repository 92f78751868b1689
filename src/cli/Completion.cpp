// --completion bash|zsh|fish: shell completion written from the commands' own descriptions, so
// that it never falls behind them. The scripts hold every command, option and word; only a port
// or device name runs the program (its port list), once per Tab.
#include "Completion.h"

#include <QRegularExpression>
#include <cstdio>
#include <set>

#include "Commands.h"
#include "programmer/PortNames.h"
#include "startup/Language.h"

namespace {

// What a value or an argument is, by the name the help gives it.
enum class ValueKind { None, File, Directory, Port, ComName, Device, Language, Words };

ValueKind KindOf(const QString& valueName) {
  if (valueName.contains('|')) return ValueKind::Words;
  if (valueName == "PORT") return ValueKind::Port;
  if (valueName == "DIR") return ValueKind::Directory;
  if (valueName == "COMn") return ValueKind::ComName;
  if (valueName == "DEVICE") return ValueKind::Device;
  if (valueName == "LANG") return ValueKind::Language;
  if (valueName == "NAME") return ValueKind::None;  // the catalogue's names need the network
  return ValueKind::File;
}

// The words a value of this kind may be, when they are known without asking the program.
QString Words(ValueKind kind, const QString& valueName) {
  if (kind == ValueKind::Words) return QString(valueName).replace('|', ' ');
  if (kind == ValueKind::Language) {
    QStringList languages{"en"};
    for (const char* code : kTranslatedLanguages) languages << code;
    return languages.join(' ');
  }
  if (kind != ValueKind::ComName) return {};
  QStringList names;
  for (int n = 1; ComPortNumber("COM" + std::to_string(n)) != 0; ++n)
    names << "COM" + QString::number(n);
  return names.join(' ');
}

QString LongName(const QCommandLineOption& option) {
  for (const QString& name : option.names())
    if (name.size() > 1) return "--" + name;
  return "-" + option.names().first();
}

QStringList LongNames(const std::vector<QCommandLineOption>& options, bool valuedOnly) {
  QStringList names;
  for (const QCommandLineOption& option : options) {
    if (!valuedOnly || !option.valueName().isEmpty()) names << LongName(option);
  }
  return names;
}

// The first sentence of a help text, for the shells that show a word's meaning beside it.
QString Summary(const QString& text) {
  const qsizetype end = text.indexOf(QRegularExpression(" \\(|[.;:]( |$)"));
  return (end < 0 ? text : text.left(end)).trimmed();
}

// Single-quoted for any POSIX-like shell.
QString Quoted(const QString& text) {
  return "'" + QString(text).replace("'", "'\\''") + "'";
}

// Every option with a value, once, with the kind of its value (the first description wins).
std::vector<QCommandLineOption> ValuedOptions(const std::vector<CommandDescription>& commands) {
  std::vector<QCommandLineOption> valued;
  QStringList seen;
  auto add = [&](const std::vector<QCommandLineOption>& options) {
    for (const QCommandLineOption& option : options) {
      if (option.valueName().isEmpty() || seen.contains(LongName(option))) continue;
      seen << LongName(option);
      valued.push_back(option);
    }
  };
  add(GlobalOptions());
  for (const CommandDescription& command : commands) add(command.options);
  return valued;
}

// The arguments of a command as (number of words before it, word that must come first, value
// name): a command with subcommands takes their arguments after the subcommand's word.
struct Argument {
  int index;
  QString first;
  QString valueName;
};

std::vector<Argument> Arguments(const CommandDescription& command) {
  std::vector<Argument> arguments;
  if (command.subcommands.empty()) {
    for (size_t i = 0; i < command.positional.size(); ++i)
      arguments.push_back({int(i), {}, command.positional[i].first});
    return arguments;
  }
  QStringList words;
  for (const auto& [word, after] : command.subcommands) words << word;
  arguments.push_back({0, {}, words.join('|')});
  for (const auto& [word, after] : command.subcommands) {
    for (int i = 0; i < after.size(); ++i) arguments.push_back({i + 1, word, after[i]});
  }
  return arguments;
}

QString CommandNames(const std::vector<CommandDescription>& commands) {
  QStringList names;
  for (const CommandDescription& command : commands) names << QString::fromStdString(command.name);
  return names.join(' ');
}

// bash: the reply for a value of this kind; $cur, $cli and folder are the caller's.
QString BashAction(const QString& valueName) {
  const ValueKind kind = KindOf(valueName);
  switch (kind) {
    case ValueKind::None:
      return ":";
    case ValueKind::File:
      return "_padflasher_cli_files";
    case ValueKind::Directory:
      return "_padflasher_cli_dirs";
    case ValueKind::Port:
      // A device path is a port too.
      return "_padflasher_cli_words \"$(_padflasher_cli_ports all)\"; [[ $cur == /* ]] && "
             "_padflasher_cli_files";
    case ValueKind::Device:
      return "_padflasher_cli_words \"$(_padflasher_cli_ports devices)\"";
    case ValueKind::ComName:
    case ValueKind::Language:
    case ValueKind::Words:
      return "_padflasher_cli_words " + Quoted(Words(kind, valueName));
  }
  return ":";
}

QString Bash(const std::vector<CommandDescription>& commands) {
  const QString globals = LongNames(GlobalOptions(), false).join(' ');
  const QString globalValued = LongNames(GlobalOptions(), true).join(' ');
  QString options, valued, arguments, values;
  for (const CommandDescription& command : commands) {
    const QString name = QString::fromStdString(command.name);
    options +=
        "    " + name + ") own=" + Quoted(LongNames(command.options, false).join(' ')) + " ;;\n";
    valued +=
        "    " + name + ") own=" + Quoted(LongNames(command.options, true).join(' ')) + " ;;\n";
    QString cases;
    for (const Argument& a : Arguments(command)) {
      // A plain command's later argument follows any first one.
      const QString first = a.first.isEmpty() && a.index > 0 ? "*" : a.first;
      cases += "        " + QString::number(a.index) + ":" + first + ") " +
               BashAction(a.valueName) + " ;;\n";
    }
    if (!cases.isEmpty())
      arguments += "    " + name + ")\n      case \"${#positional[@]}:$first\" in\n" + cases +
                   "      esac\n      ;;\n";
  }
  for (const QCommandLineOption& option : ValuedOptions(commands))
    values += "    " + LongName(option) + ") " + BashAction(option.valueName()) + " ;;\n";

  return "# bash completion for padflasher-cli, written by 'padflasher-cli --completion bash' "
         "from the\n# program's own commands and options. Only a port or device name runs the "
         "program (its\n# port list), once per Tab.\n\n"
         "_padflasher_cli_words() { mapfile -t COMPREPLY < <(compgen -W \"$1\" -- \"$cur\"); }\n"
         "_padflasher_cli_files() {\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  mapfile -t -O ${#COMPREPLY[@]} COMPREPLY < <(compgen -f -- \"$cur\")\n"
         "}\n"
         "_padflasher_cli_dirs() {\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  mapfile -t COMPREPLY < <(compgen -d -- \"$cur\")\n"
         "}\n\n"
         "# The COM names (com), the devices (devices) or both (all) that 'padflasher-cli ports' "
         "lists,\n# with the --folder given on the line.\n"
         "_padflasher_cli_ports() {\n"
         "  \"$cli\" ports \"${folder[@]}\" 2>/dev/null | awk -v which=\"$1\" '\n"
         "    which != \"devices\" && $1 ~ /^COM[0-9]+$/ { print $1 }\n"
         "    which != \"com\" && $2 ~ /^\\// { print $2 }'\n"
         "}\n\n"
         "# The options of command $1 (before the command: the global ones).\n"
         "_padflasher_cli_options() {\n  local own=\"\"\n  case $1 in\n" +
         options + "  esac\n  echo \"$own \"" + Quoted(globals) +
         "\n}\n\n"
         "# Those of them that take a value.\n"
         "_padflasher_cli_valued() {\n  local own=\"\"\n  case $1 in\n" +
         valued + "  esac\n  echo \"$own \"" + Quoted(globalValued) +
         "\n}\n\n"
         "_padflasher_cli_value() {\n  case $1 in\n" +
         values +
         "  esac\n}\n\n"
         "# The argument after the positional words given so far.\n"
         "_padflasher_cli_argument() {\n  local first=\"\"\n"
         "  ((${#positional[@]} > 0)) && first=${positional[0]}\n"
         "  case $command in\n" +
         arguments +
         "  esac\n}\n\n"
         "_padflasher_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=\"\"\n"
         "  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
         "  local cli=${COMP_WORDS[0]} command=\"\" commands=" +
         Quoted(" " + CommandNames(commands) + " ") +
         " i word\n"
         "  local -a folder=() positional=()\n"
         "  COMPREPLY=()\n"
         "  # The command is the first word that names one; options and their values may come "
         "before it.\n"
         "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "    word=${COMP_WORDS[i]}\n"
         "    if [[ \" $(_padflasher_cli_valued \"$command\") \" == *\" $word \"* ]]; then\n"
         "      [[ $word == --folder ]] && folder=(--folder \"${COMP_WORDS[i + 1]/#\\~/$HOME}\")\n"
         "      ((i++))\n"
         "    elif [[ -z $command && $commands == *\" $word \"* ]]; then\n"
         "      command=$word\n"
         "    elif [[ -n $command && $word != -* ]]; then\n"
         "      positional+=(\"$word\")\n"
         "    fi\n"
         "  done\n"
         "  if [[ -n $prev && \" $(_padflasher_cli_valued \"$command\") \" == *\" $prev \"* ]]; "
         "then\n"
         "    _padflasher_cli_value \"$prev\"\n"
         "  elif [[ $cur == -* ]]; then\n"
         "    _padflasher_cli_words \"$(_padflasher_cli_options \"$command\")\"\n"
         "  elif [[ -z $command ]]; then\n"
         "    _padflasher_cli_words \"$commands\"\n"
         "  else\n"
         "    _padflasher_cli_argument\n"
         "  fi\n"
         "}\n\n"
         "complete -F _padflasher_cli padflasher-cli\n";
}

// zsh: an _arguments action for a value of this kind.
QString ZshAction(const QString& valueName) {
  const ValueKind kind = KindOf(valueName);
  switch (kind) {
    case ValueKind::None:
      return " ";
    case ValueKind::File:
      return "_files";
    case ValueKind::Directory:
      return "_files -/";
    case ValueKind::Port:
      return "{_padflasher_cli_ports all; [[ $PREFIX == /* ]] && _files}";
    case ValueKind::Device:
      return "_padflasher_cli_ports devices";
    case ValueKind::ComName:
    case ValueKind::Language:
    case ValueKind::Words:
      return "(" + Words(kind, valueName) + ")";
  }
  return " ";
}

// Brackets and colons end the parts of an _arguments specification.
QString ZshEscaped(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c == '\\' || c == '[' || c == ']' || c == ':') out += '\\';
    out += c;
  }
  return out;
}

QString ZshSpecs(const std::vector<QCommandLineOption>& options) {
  QString specs;
  for (const QCommandLineOption& option : options) {
    QStringList names;
    for (const QString& name : option.names()) names << (name.size() == 1 ? "-" : "--") + name;
    const bool valued = !option.valueName().isEmpty();
    const QString what =
        "[" + ZshEscaped(Summary(option.description())) + "]" +
        (valued ? ":" + ZshEscaped(option.valueName()) + ":" + ZshAction(option.valueName())
                : QString());
    if (names.size() == 1) {
      specs += " \\\n    " + Quoted(names.first() + (valued ? "=" : "") + what);
    } else {
      specs += " \\\n    " + Quoted("(" + names.join(' ') + ")") + "{" + names.join(',') + "}" +
               Quoted(what);
    }
  }
  return specs;
}

QString Zsh(const std::vector<CommandDescription>& commands) {
  const QString globals = ZshSpecs(GlobalOptions());
  QString described, cases;
  for (const CommandDescription& command : commands) {
    const QString name = QString::fromStdString(command.name);
    described += "\n    " + Quoted(name + ":" + QString::fromStdString(command.summary));
    // One specification per place: a subcommand's arguments stand where the others' do.
    QString arguments;
    std::set<int> places;
    for (const Argument& a : Arguments(command)) {
      if (!places.insert(a.index).second) continue;
      arguments += " \\\n        " + Quoted(QString::number(a.index + 1) + ":" +
                                            ZshEscaped(a.valueName) + ":" + ZshAction(a.valueName));
    }
    cases += "      " + name + ")\n        _arguments -s -S $globals" + ZshSpecs(command.options) +
             arguments + " && ret=0\n        ;;\n";
  }
  return "#compdef padflasher-cli\n"
         "# zsh completion for padflasher-cli, written by 'padflasher-cli --completion zsh' "
         "from the\n# program's own commands and options. Only a port or device name runs the "
         "program (its\n# port list), once per Tab.\n\n"
         "# The COM names (com), the devices (devices) or both (all) that 'padflasher-cli ports' "
         "lists,\n# with the --folder given on the line.\n"
         "_padflasher_cli_ports() {\n"
         "  local -a folder found\n"
         "  local i\n"
         "  for ((i = 2; i < $#_padflasher_cli_line; i++)); do\n"
         "    [[ $_padflasher_cli_line[i] == --folder ]] && "
         "folder=(--folder ${~_padflasher_cli_line[i+1]})\n"
         "  done\n"
         "  found=(${(f)\"$($_padflasher_cli_line[1] ports $folder 2>/dev/null | awk -v "
         "which=\"$1\" '\n"
         "    which != \"devices\" && $1 ~ /^COM[0-9]+$/ { print $1 }\n"
         "    which != \"com\" && $2 ~ /^\\// { print $2 }')\"})\n"
         "  compadd -a found\n"
         "}\n\n"
         "_padflasher_cli() {\n"
         "  local curcontext=$curcontext state line ret=1\n"
         "  local -a _padflasher_cli_line\n"
         "  _padflasher_cli_line=($words)\n"
         "  typeset -A opt_args\n"
         "  local -a globals=(" +
         globals +
         "\n  )\n"
         "  _arguments -C -s -S $globals \\\n    '1:command:->command' \\\n"
         "    '*::argument:->argument' && ret=0\n"
         "  case $state in\n"
         "    command)\n"
         "      local -a commands=(" +
         described +
         "\n      )\n"
         "      _describe -t commands command commands && ret=0\n"
         "      ;;\n"
         "    argument)\n"
         "      curcontext=${curcontext%:*:*}:padflasher-cli-$words[1]:\n"
         "      case $words[1] in\n" +
         cases +
         "      esac\n"
         "      ;;\n"
         "  esac\n"
         "  return ret\n"
         "}\n\n"
         "_padflasher_cli \"$@\"\n";
}

// fish: what -a offers for a value of this kind; empty for a file or nothing.
QString FishWords(const QString& valueName) {
  const ValueKind kind = KindOf(valueName);
  switch (kind) {
    case ValueKind::Directory:
      return "(__fish_complete_directories)";
    case ValueKind::Port:
      return "(__padflasher_cli_ports all)";
    case ValueKind::Device:
      return "(__padflasher_cli_ports devices)";
    case ValueKind::ComName:
    case ValueKind::Language:
    case ValueKind::Words:
      return Words(kind, valueName);
    case ValueKind::None:
    case ValueKind::File:
      break;
  }
  return {};
}

// The switches for a value (an option's, or an argument) of this kind: files, or its words.
QString FishValue(const QString& valueName) {
  if (KindOf(valueName) == ValueKind::File) return " -F";
  const QString words = FishWords(valueName);
  return words.isEmpty() ? " -f" : " -f -a " + Quoted(words);
}

QString FishOptions(const std::vector<QCommandLineOption>& options, const QString& condition) {
  QString lines;
  for (const QCommandLineOption& option : options) {
    QString line = "complete -c padflasher-cli" + condition;
    for (const QString& name : option.names()) line += (name.size() == 1 ? " -s " : " -l ") + name;
    // An option's value is offered only from its own line.
    if (!option.valueName().isEmpty()) line += " -r" + FishValue(option.valueName());
    lines += line + " -d " + Quoted(Summary(option.description())) + "\n";
  }
  return lines;
}

QString Fish(const std::vector<CommandDescription>& commands) {
  const QStringList valued = LongNames(ValuedOptions(commands), true);
  QString lines = FishOptions(GlobalOptions(), "");
  for (const CommandDescription& command : commands) {
    const QString name = QString::fromStdString(command.name);
    lines += "complete -c padflasher-cli -n __padflasher_cli_no_command -a " + name + " -d " +
             Quoted(QString::fromStdString(command.summary)) + "\n";
    lines += FishOptions(command.options, " -n " + Quoted("__padflasher_cli_in " + name));
    for (const Argument& a : Arguments(command)) {
      lines += "complete -c padflasher-cli -n " +
               Quoted("__padflasher_cli_argument " + name + " " + QString::number(a.index) +
                      (a.first.isEmpty() ? "" : " " + a.first)) +
               FishValue(a.valueName) + "\n";
    }
  }
  return "# fish completion for padflasher-cli, written by 'padflasher-cli --completion fish' "
         "from the\n# program's own commands and options. Only a port or device name runs the "
         "program (its\n# port list), once per Tab.\n\n"
         "complete -c padflasher-cli -f\n\n"
         "# The words on the line before the one completed, without the options and their "
         "values:\n# the command first, then its arguments.\n"
         "function __padflasher_cli_words\n"
         "    set -l tokens (commandline -opc)\n"
         "    set -l valued " +
         valued.join(' ') +
         "\n"
         "    set -l skip 0\n"
         "    for token in $tokens[2..-1]\n"
         "        if test $skip = 1\n"
         "            set skip 0\n"
         "        else if contains -- $token $valued\n"
         "            set skip 1\n"
         "        else if not string match -q -- '-*' $token\n"
         "            echo $token\n"
         "        end\n"
         "    end\n"
         "end\n\n"
         "function __padflasher_cli_no_command\n"
         "    set -l words (__padflasher_cli_words)\n"
         "    not contains -- \"$words[1]\" " +
         CommandNames(commands) +
         "\nend\n\n"
         "function __padflasher_cli_in --argument-names command\n"
         "    set -l words (__padflasher_cli_words)\n"
         "    test \"$words[1]\" = $command\n"
         "end\n\n"
         "# Whether the line is at argument number index of command, after first when given.\n"
         "function __padflasher_cli_argument --argument-names command index first\n"
         "    set -l words (__padflasher_cli_words)\n"
         "    test \"$words[1]\" = $command; or return 1\n"
         "    test (count $words) -eq (math $index + 1); or return 1\n"
         "    test -z \"$first\"; or test \"$words[2]\" = $first\n"
         "end\n\n"
         "# The COM names (com), the devices (devices) or both (all) that 'padflasher-cli ports' "
         "lists,\n# with the --folder given on the line.\n"
         "function __padflasher_cli_ports --argument-names which\n"
         "    set -l tokens (commandline -opc)\n"
         "    set -l folder\n"
         "    set -l at (contains -i -- --folder $tokens)\n"
         "    and set folder --folder $tokens[(math $at + 1)]\n"
         "    $tokens[1] ports $folder 2>/dev/null | awk -v which=$which '\n"
         "        which != \"devices\" && $1 ~ /^COM[0-9]+$/ { print $1 }\n"
         "        which != \"com\" && $2 ~ /^\\// { print $2 }'\n"
         "end\n\n" +
         lines;
}

}  // namespace

int PrintCompletion(const QString& shell) {
  const std::vector<CommandDescription> commands = DescribeCommands();
  QString script;
  if (shell == "bash") {
    script = Bash(commands);
  } else if (shell == "zsh") {
    script = Zsh(commands);
  } else if (shell == "fish") {
    script = Fish(commands);
  } else {
    PrintError("--completion takes bash, zsh or fish.");
    return kExitUsage;
  }
  std::fputs(script.toUtf8().constData(), stdout);
  return kExitOk;
}
