#pragma once
// The client of a wizard: told about steps, help requests and attempts to close.
#include <cstdint>

class CWizard;

class IWizardController {
 public:
  virtual ~IWizardController() = default;
  virtual void BeforeUILoad() = 0;  // never called by the wizard
  // direction: -1 Back, +1 Next, 0 a jump to NextStep. Set cancel to refuse; assigning the
  // wizard's NextStep here redirects the step.
  virtual void BeforeStep(int32_t direction, bool& cancel) = 0;
  virtual void AfterStep() = 0;
  virtual void OnRequestHelp() = 0;
  // The window is about to close; set cancel to keep it open.
  virtual void OnCancel(bool& cancel) = 0;
  virtual CWizard& WizardHandle() = 0;
};
