#include "app/OutsideEnd.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "app/QtHost.h"
#include "app/frmWebUpdate.h"
#include "base/DebugLog.h"
#include "programmer/OperationScope.h"
#include "wizard/CWizard.h"

namespace {

// Closing from inside a nested event loop (a box's, a port wait's) would end the wizard under
// the code that runs it: the close waits until the work is over and control is back in the
// main loop.
void CloseAtTopLevel(CWizard& wizard) {
  if (!wizard.ClientHandle()) return;  // already finished, by the question a box asked
  if (wizard.Frozen() || QThread::currentThread()->loopLevel() > 1) {
    QTimer::singleShot(20, wizard.Window(), [&wizard] { CloseAtTopLevel(wizard); });
    return;
  }
  wizard.Window()->close();
}

}  // namespace

void EndFromOutside(CWizard& wizard, QtHost& host) {
  if (host.Ending()) return;
  DebugLog("Ending on request from outside the program");
  host.SetEnding(true);
  OperationScope::RequestCancel();
  // A download cannot be cancelled; the Web Updates window closes once its transfer is in.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* web = qobject_cast<frmWebUpdate*>(window)) web->CloseWhenIdle();
  }
  // Boxes and dialogs up now were asked before the request came: they close unanswered, each
  // exec returning its cautious answer once control gets back to it.
  for (int tries = 0; tries < 16; ++tries) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || qobject_cast<frmWebUpdate*>(modal)) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }
  CloseAtTopLevel(wizard);
}
