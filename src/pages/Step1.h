#pragma once
// The welcome page.
#include "pages/PageBase.h"

class QLabel;

class Step1 : public PageBase {
 public:
  Step1();
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override;
  void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) override;

 private:
  QLabel* label_[3];
};
