#pragma once
// The programming page: program the hand control with the chosen image and verify it.
#include "app/ProgressView.h"
#include "pages/PageBase.h"
#include "programmer/OperationScope.h"
#include "wizard/CWizard.h"

class ProgressStrip;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class Step4 : public PageBase, public IProgressView {
  Q_DECLARE_TR_FUNCTIONS(Step4)

 public:
  Step4();
  ~Step4() override;
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override;
  void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) override;

  // The label over the bar and the bar's width; the operations report through the host.
  void ShowProgress(const std::string& label, double fraction) override;

 private:
  class PageWork {
   public:
    explicit PageWork(Step4& page);
    ~PageWork();

   private:
    Step4& page_;
    FrozenScope frozen_;
  };
  // A box of the page's own while no exchange runs: the exit button looks usable meanwhile.
  class IdleBox {
   public:
    explicit IdleBox(CWizard& wizard);
    ~IdleBox();

   private:
    QPushButton* exit_;
    bool wasEnabled_;
  };
  class Run {
   public:
    explicit Run(Operation operation);
    ~Run();

   private:
    OperationScope flags_;
  };

  void cmdProgram_Click();
  void cmdVerify_Click();
  void cmdRefresh_Click();
  void ResetPacifier();
  void LockButtons(bool locked);
  void ShowStatus(bool query);
  bool HandControlAnswers();

  QLabel* lblFirmware_;
  QPlainTextEdit* txtStatus_;
  QPushButton* cmdProgram_;
  QPushButton* cmdVerify_;
  QPushButton* cmdRefresh_;
  ProgressStrip* strip_;
};
