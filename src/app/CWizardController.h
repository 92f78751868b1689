#pragma once
// This program's wizard controller: builds the four-page wizard, opens help for the current
// page and turns close requests into cancel requests while the hand control is being programmed
// or verified.
#include <functional>
#include <memory>
#include <vector>

#include "base/Host.h"
#include "wizard/CWizard.h"
#include "wizard/IWizardController.h"

class CWizardController : public IWizardController {
 public:
  // The pages in page order, added under "One", "Two", "Three", "Four".
  using PageFactory = std::function<std::vector<IWizardPage*>()>;

  // Opens the debug log, builds the wizard with the pages and starts it. host asks the exit
  // question; view replaces the real window (tests).
  CWizardController(IHost& host, const PageFactory& makePages,
                    std::unique_ptr<IWizardView> view = nullptr);
  ~CWizardController() override;

  void BeforeUILoad() override {}
  void BeforeStep(int32_t, bool&) override {}
  void AfterStep() override {}
  void OnRequestHelp() override;
  void OnCancel(bool& cancel) override;
  CWizard& WizardHandle() override { return *wizard_; }

 private:
  IHost& host_;
  std::unique_ptr<CWizard> wizard_;
};

// The process-wide controller, set once by the entry point.
extern IWizardController* gWizardController;
