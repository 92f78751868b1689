#pragma once
// The wizard's window: splash picture, page area, etched separator and the button row
// (Help; Back, Next, Exit), laid out around the current page after every step.
#include <QWidget>

#include "wizard/IWizardView.h"
#include "wizard/KeyReleaseGate.h"
#include "wizard/WizardStyle.h"

class QFrame;
class QLabel;

class CWizardWindow : public QWidget, public IWizardView {
 public:
  explicit CWizardWindow(WizardStyle style = {});

  void Attach(CWizard* wizard) override { wizard_ = wizard; }
  QWidget* Widget() override { return this; }
  QPushButton* Button(WizardButton which) override;
  void ShowWindow() override;
  QWidget* HostPage(QWidget* page) override;
  void ReleasePage(QWidget* page, QWidget* oldParent) override;
  void RefreshButtons() override;
  void SetLastStepButtons() override;
  void SetTerminateRole(TerminateRole role) override;
  void DisableBack() override;
  void ApplyFrozen(bool frozen) override;
  void TransferFocus() override;
  void RequestClose() override { close(); }
  void Beep() override;

  QWidget* PageArea() const;
  QLabel* Splash() const { return picSplash_; }
  // The separator's y (its first line), for checks of the layout.
  int SeparatorY() const { return separatorY_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutWindow();
  void SetDefaultButton(QPushButton* button);
  void FocusCurrentPage();
  static void CentreCursorOn(QWidget* target);

  WizardStyle style_;
  CWizard* wizard_ = nullptr;
  QLabel* picSplash_;
  QFrame* picPage_;
  QPushButton* cmdHelp_;
  QPushButton* cmdStepBack_;
  QPushButton* cmdStepFwd_;
  QPushButton* cmdTerminate_;
  TerminateRole terminateRole_ = TerminateRole::Exit;
  int separatorY_ = -1;
  int separatorRight_ = -1;
  KeyReleaseGate keys_;
};
