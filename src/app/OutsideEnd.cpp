#include "app/OutsideEnd.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "app/QtHost.h"
#include "app/frmWebUpdate.h"
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "programmer/OperationScope.h"
#include "wizard/CWizard.h"

namespace {

constexpr int kCancelGraceMs = 1000;

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
  if (OperationScope::RequestCancel()) {
    // A programming run answers a cancel only between its runs of blocks, and one run can take
    // half a minute at the line's rate; the session will not wait that long. Cut off, the hand
    // control is left as a cancel leaves it: in programming mode, to be programmed again.
    QTimer::singleShot(kCancelGraceMs, wizard.Window(), [] {
      if (!OperationScope::Current()) return;
      DebugLog("Ending: the run did not stop within " + std::to_string(kCancelGraceMs) +
               " ms; the port is closed under it");
      CloseComPort();
    });
  }
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
