#pragma once
// A page of the wizard. The page object is its own window: a QWidget subclass that also
// implements this interface and returns itself from PageWidget(). The wizard takes that widget
// into its page area on first show (keeping its size; the page sets its own fixed size), shows
// and hides it by visibility, and deletes it (deleteLater) in finish(). A page never shown is
// deleted there too: AddPage hands the page object over to the wizard.
#include <cstdint>

class CWizard;
class QWidget;

class IWizardPage {
 public:
  virtual ~IWizardPage() = default;
  virtual QWidget* PageWidget() = 0;
  // Before the page becomes visible, every time it is shown. previousStep is 0 on the first step.
  virtual void BeforePageShow(CWizard& wizard, int16_t previousStep) = 0;
  // While the page is still current; set cancel to refuse the step. A step forward has
  // nextStep == wizard.CurrentStep() + 1.
  virtual void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) = 0;
};
