// padflasher-cli: the hand control operations of PadFlasher from a terminal or a script.
#include <QCoreApplication>

#include "CliMain.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return RunCli(QCoreApplication::arguments());
}
