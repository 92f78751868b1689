// This program's wizard controller.
#include "app/CWizardController.h"

#include <QPushButton>
#include <QWidget>

#include "app/AppTexts.h"
#include "app/PageLook.h"
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "programmer/OperationScope.h"
#include "startup/Startup.h"

IWizardController* gWizardController = nullptr;

CWizardController::CWizardController(IHost& host, const PageFactory& makePages,
                                     std::unique_ptr<IWizardView> view)
    : host_(host) {
  OpenDebugLog();
  wizard_ = std::make_unique<CWizard>(std::move(view), ApplicationWizardStyle());
  // The log closes last, so that a failure to save the settings still reaches it.
  wizard_->SetShutdownRoutine([] {
    EndProgram();
    CloseDebugLog();
  });
  wizard_->SetClientHandle(this);
  const char* keys[] = {"One", "Two", "Three", "Four"};
  std::vector<IWizardPage*> pages = makePages ? makePages() : std::vector<IWizardPage*>{};
  for (size_t i = 0; i < pages.size(); ++i) {
    wizard_->AddPage(pages[i], i < std::size(keys) ? WizardKey(keys[i]) : WizardKey());
  }
  wizard_->Start();
}

CWizardController::~CWizardController() {
  if (gWizardController == this) gWizardController = nullptr;
}

void CWizardController::OnRequestHelp() {
  const int16_t step = wizard_->CurrentStep();
  if (step >= 1 && step <= 4) ShowHelp("Step" + std::to_string(step) + ".htm");
}

void CWizardController::OnCancel(bool& cancel) {
  QPushButton* terminate = wizard_->TerminateButton();
  const bool wasProgramming = gProgramming;
  if (OperationScope::RequestCancel()) {
    cancel = true;
    terminate->setEnabled(false);
    if (!wasProgramming) return;
    wizard_->SetTerminateRole(TerminateRole::Wait);
    // The programming loop is busy: show the new caption now, not at its next breath.
    wizard_->Window()->repaint();
    return;
  }
  if (wizard_->Frozen()) {
    // A page is at work (opening the port, asking the hand control, the Web Updates window):
    // the exit button is disabled, and the window manager's close or Alt+F4 must not do what
    // the button may not. Leaving now would close the port under the running exchange, so the
    // request is asked once the work ends.
    wizard_->CloseWhenThawed();
    cancel = true;
    return;
  }
  MsgAnswer answer = host_.Message(AppMessage(MessageKind::ExitQuestion));
  if (answer != MsgAnswer::Yes) cancel = true;
}
