// The window program: builds the wizard and runs it until its window unloads.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/CWizardController.h"
#include "app/HelpWindow.h"
#include "app/LookStyle.h"
#include "app/QtHost.h"
#include "pages/Pages.h"
#include "pages/frmHCerror.h"
#include "programmer/Link.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "startup/Language.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

int main(int argc, char** argv) {
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
  StartProgram();
  // The look follows the settings, which are read only now; nothing has been painted yet.
  InstallLookStyle(gHighContrast);

  const int status = app.exec();
  host.SetWizard(nullptr);
  SetLinkServices(nullptr, nullptr, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the released pages
  controller.reset();
  return status;
}
