// The window program: builds the wizard and runs it until its window unloads.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <string_view>

#include "app/CWizardController.h"
#include "app/HelpWindow.h"
#include "app/LookStyle.h"
#include "app/OutsideEnd.h"
#include "app/QtHost.h"
#include "app/WorkNotice.h"
#include "pages/Pages.h"
#include "pages/frmHCerror.h"
#include "programmer/Link.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "startup/Language.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

// --help and --version answer on the terminal, before anything needs a display.
bool AnswersOnTerminal(int argc, char** argv, int& status) {
  bool help = false, version = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    help = help || arg == "--help" || arg == "-h";
    version = version || arg == "--version" || arg == "-V";
  }
  if (!help && !version) return false;
  QCoreApplication core(argc, argv);
  InitProgramPaths();
  InstallTranslators(ChooseLanguage(SystemEnvironment()), TranslationsFolder());
  std::string text;
  if (help) {
    text = QCoreApplication::translate(
               "Main",
               "Usage: %1 [--help] [--version]\n\n"
               "Updates the firmware of a telescope hand control over a serial cable: a wizard "
               "leads from the\nchoice of the port and the firmware image to programming and "
               "verifying.\nFor a terminal or a script: padflasher-cli --help.\n\n"
               "  -h, --help     show this help and exit\n"
               "  -V, --version  show the program's version and exit\n")
               // The name the user typed: the installed command is lower case.
               .arg(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName())
               .toStdString();
  } else {
    text = gBaseName + " " + ProgramVersionText() + "\n";
  }
  status = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; AnswersOnTerminal(argc, argv, status)) return status;
  QApplication app(argc, argv);
  // Help and message boxes may outlive the wizard window for a moment; the wizard's unload
  // alone ends the program.
  app.setQuitOnLastWindowClosed(false);
  app.setWindowIcon(QIcon(":/art/padflasher.png"));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(PADFLASHER_APP_ID);
  InitProgramPaths();
  InstallTranslators(ChooseLanguage(SystemEnvironment()), TranslationsFolder());
  InstallHelpViewer();

  QtSerialPort port;
  QtClock clock;
  QtHost& host = TheQtHost();
  SetLinkServices(&port, &clock, &host);

  auto controller = std::make_unique<CWizardController>(host, MakeWizardPages);
  CWizard& wizard = controller->WizardHandle();
  host.SetWizard(&wizard);
  host.SetProgrammingModeHelp([&wizard] { ShowProgrammingModeDialog(wizard.Window()); });
  wizard.SetUnloadHandler([] { QCoreApplication::exit(0); });
  gWizardController = controller.get();
  const std::unique_ptr<IDesktopNotifier> notifier = MakeBusNotifier();
  SetDesktopNotifier(notifier.get());
  EndSignals endSignals([&wizard, &host] { EndFromOutside(wizard, host); });
  StartProgram();
  // The look follows the settings, which are read only now; nothing has been painted yet.
  InstallLookStyle(gHighContrast);

  const int status = app.exec();
  host.SetWizard(nullptr);
  SetDesktopNotifier(nullptr);
  SetLinkServices(nullptr, nullptr, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the released pages
  controller.reset();
  return status;
}
