#include "pages/Pages.h"

#include "pages/Step1.h"
#include "pages/Step2.h"
#include "pages/Step3.h"
#include "pages/Step4.h"

std::vector<IWizardPage*> MakeWizardPages() {
  return {new Step1, new Step2, new Step3, new Step4};
}
