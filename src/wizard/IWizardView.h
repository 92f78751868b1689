#pragma once
// The window side of a wizard, as the step engine (CWizard) sees it. The real one is
// CWizardWindow; tests may put a recording stand-in in its place.
#include <optional>

class CWizard;
class QPushButton;
class QWidget;

enum class WizardButton { Help, Back, Next, Terminate };
// What the exit button does now; its caption follows from it. Finish and Cancel last until the
// next step, when it is Exit again.
enum class TerminateRole { Exit, Finish, Cancel, Wait };

class IWizardView {
 public:
  virtual ~IWizardView() = default;
  virtual void Attach(CWizard* wizard) = 0;
  virtual QWidget* Widget() = 0;
  virtual QPushButton* Button(WizardButton which) = 0;
  virtual void ShowWindow() = 0;
  // Takes a page widget into the page area; returns its previous parent.
  virtual QWidget* HostPage(QWidget* page) = 0;
  virtual void ReleasePage(QWidget* page, QWidget* oldParent) = 0;
  virtual void RefreshButtons() = 0;
  virtual void SetLastStepButtons() = 0;
  virtual void SetTerminateRole(TerminateRole role) = 0;
  virtual void DisableBack() = 0;
  virtual void ApplyFrozen(bool frozen) = 0;
  virtual void TransferFocus() = 0;
  // Asks the window to close; the closing sequence runs through CWizard::QueryUnload.
  virtual void RequestClose() = 0;
  virtual void Beep() = 0;
};
