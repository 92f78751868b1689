#pragma once
// The download-site commands live in the module padflasher-cli-web, which padflasher-cli loads
// only to run one of them: Qt Network with its TLS and Kerberos libraries and libsodium make up
// about a third of every start, and the hand-control commands need none of them. The module
// holds a whole copy of the CLI, in which these commands are registered, and runs the program's
// command line from the start; nothing but its entry is visible outside it.
#include <QStringList>

struct WebCommandText {
  const char* name;
  const char* summary;
};
inline constexpr WebCommandText kCatalogueCommand{
    "catalogue",
    QT_TRANSLATE_NOOP("Cli", "list the download site's firmware and refresh PadFlasher.ver")};
inline constexpr WebCommandText kDownloadCommand{
    "download", QT_TRANSLATE_NOOP("Cli", "download a firmware image named in the catalogue")};

// The module's file, beside the program in a build folder, and its entry, which runs RunCli.
inline constexpr char kWebModuleFile[] = "padflasher-cli-web.so";
inline constexpr char kWebModuleEntry[] = "padflasher_cli_web_main";
using WebModuleMain = int (*)(const QStringList* arguments);
