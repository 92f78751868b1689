// The entry of the module padflasher-cli-web (see WebModule.h).
#include "CliMain.h"
#include "WebModule.h"

extern "C" __attribute__((visibility("default"))) int padflasher_cli_web_main(
    const QStringList* arguments) {
  static_assert(sizeof(kWebModuleEntry) == sizeof("padflasher_cli_web_main"));
  return RunCli(*arguments);
}
