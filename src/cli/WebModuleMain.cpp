// The entry of the module padflasher-cli-web (see WebModule.h); its name is kWebModuleEntry.
#include "CliMain.h"

extern "C" __attribute__((visibility("default"))) int padflasher_cli_web_main(
    const QStringList* arguments) {
  return RunCli(*arguments);
}
