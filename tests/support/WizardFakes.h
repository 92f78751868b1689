#pragma once
// Stand-ins for the wizard's clients: pages and a controller that log what they are told and
// can be told to refuse, redirect or fail.
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "wizard/CWizard.h"
#include "wizard/IWizardView.h"

using CallLog = std::vector<std::string>;

class FakePage : public QWidget, public IWizardPage {
 public:
  FakePage(std::string name, CallLog& log, QSize size = QSize(464, 182))
      : name_(std::move(name)), log_(log) {
    setFixedSize(size);
    edit = new QLineEdit(this);  // something that takes the focus, like a real page's list
    edit->setGeometry(10, 10, 100, 20);
    edit->installEventFilter(this);  // like a real page, it sees its controls' keys first
  }
  QWidget* PageWidget() override { return this; }
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override {
    log_.push_back(name_ + ".show(" + std::to_string(previousStep) + ")");
    seenCurrentStep = wizard.CurrentStep();
    if (failShow) throw std::runtime_error("show failed");
  }
  void BeforePageHide(CWizard&, int16_t nextStep, bool& cancel) override {
    log_.push_back(name_ + ".hide(" + std::to_string(nextStep) + ")");
    cancel = refuse;
  }

  bool refuse = false;
  bool failShow = false;
  int16_t seenCurrentStep = -99;
  QLineEdit* edit;
  CWizard* keysTo = nullptr;  // when set, key releases go to the wizard like on a real page

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease && keysTo) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (keysTo->TranslateKey(key->key(), key->modifiers())) return true;
    }
    return QWidget::eventFilter(watched, event);
  }

 private:
  std::string name_;
  CallLog& log_;
};

class FakeController : public IWizardController {
 public:
  explicit FakeController(CallLog& log) : log_(log) {}
  void BeforeUILoad() override {}
  void BeforeStep(int32_t direction, bool& cancel) override {
    log_.push_back("BeforeStep(" + std::to_string(direction) + ")");
    if (onBeforeStep) onBeforeStep();
    if (failBeforeStep) throw std::runtime_error("controller failed");
    cancel = refuse;
  }
  void AfterStep() override { log_.push_back("AfterStep"); }
  void OnRequestHelp() override { log_.push_back("OnRequestHelp"); }
  void OnCancel(bool& cancel) override {
    log_.push_back("OnCancel");
    cancel = keepOpen;
  }
  CWizard& WizardHandle() override { return *wizard; }

  CWizard* wizard = nullptr;
  bool refuse = false;
  bool failBeforeStep = false;
  bool keepOpen = true;
  std::function<void()> onBeforeStep;

 private:
  CallLog& log_;
};

// A window that only records what the step engine asks of it.
class RecordingView : public IWizardView {
 public:
  explicit RecordingView(CallLog& log) : log_(log) {
    for (QPushButton*& each : buttons_) each = new QPushButton(&window_);
  }
  void Attach(CWizard*) override {}
  QWidget* Widget() override { return &window_; }
  QPushButton* Button(WizardButton which) override { return buttons_[static_cast<int>(which)]; }
  void ShowWindow() override { log_.push_back("ShowWindow"); }
  QWidget* HostPage(QWidget* page) override {
    QWidget* old = page->parentWidget();
    page->setParent(&window_);
    return old;
  }
  void ReleasePage(QWidget* page, QWidget* oldParent) override { page->setParent(oldParent); }
  void RefreshButtons() override { log_.push_back("RefreshButtons"); }
  void SetLastStepButtons() override { log_.push_back("SetLastStepButtons"); }
  void SetTerminateRole(TerminateRole) override { log_.push_back("SetTerminateRole"); }
  void DisableBack() override { log_.push_back("DisableBack"); }
  void ApplyFrozen(bool frozen) override { log_.push_back(frozen ? "Frozen" : "Thawed"); }
  void TransferFocus() override { log_.push_back("TransferFocus"); }
  void RequestClose() override { log_.push_back("RequestClose"); }
  void Beep() override { log_.push_back("Beep"); }

 private:
  CallLog& log_;
  QWidget window_;
  QPushButton* buttons_[4];
};
