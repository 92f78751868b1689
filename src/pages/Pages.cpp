#include "pages/Pages.h"

#include "app/WebUpdates.h"
#include "pages/Step1.h"
#include "pages/Step2.h"
#include "pages/Step3.h"
#include "pages/Step4.h"

std::vector<IWizardPage*> MakeWizardPages() {
  auto* firmware = new Step3;
  firmware->SetWebUpdates(ShowWebUpdates);
  return {new Step1, new Step2, firmware, new Step4};
}
