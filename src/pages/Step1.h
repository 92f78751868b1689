#pragma once
// The welcome page.
#include "pages/PageBase.h"

class QLabel;

class Step1 : public PageBase {
  Q_DECLARE_TR_FUNCTIONS(Step1)

 public:
  Step1();
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override;
  void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) override;

 private:
  QLabel* label_[3];
};
