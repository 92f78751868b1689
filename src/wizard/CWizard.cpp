// The step engine: page list, step keys, the stepping algorithm with its callbacks and vetoes.
#include "wizard/CWizard.h"

#include <QTimer>

#include <QPushButton>
#include <QWidget>
#include <cmath>
#include <exception>
#include <limits>

#include "wizard/CWizardWindow.h"

namespace {

// Callbacks belong to other code; a failure there must not leave the wizard half-stepped. Qt
// throws nothing, and the pages and controllers throw nothing of their own, so a failure is the
// standard library's (std::bad_alloc, an INI position out of range, a std::function left empty):
// all std::exception. Anything else is a fault to let through.
template <typename F>
void IgnoringFailure(F&& action) {
  try {
    action();
  } catch (const std::exception&) {
  }
}

}  // namespace

CWizard::CWizard(std::unique_ptr<IWizardView> view, WizardStyle style) : view_(std::move(view)) {
  if (!view_) view_ = std::make_unique<CWizardWindow>(std::move(style));
  view_->Attach(this);
}

CWizard::~CWizard() {
  // Pages still held (finish never ran) go with the wizard.
  for (PageEntry& entry : pages_) delete entry.page;
  pages_.clear();
}

bool CWizard::IsValidKey(const WizardKey& key) {
  return key.IsValid();
}

int16_t CWizard::ResolveStep(const WizardKey& key) const {
  if (!IsValidKey(key)) return -1;
  if (std::optional<double> number = key.Numeric()) {
    double rounded = std::nearbyint(*number);  // ties to even
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max()) {
      return -1;
    }
    auto index = static_cast<int16_t>(rounded);
    return index >= 1 && index <= stepCount_ ? index : -1;
  }
  return FindPageByKey(key.Text());
}

int16_t CWizard::FindPageByKey(const std::string& text) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].key.IsText() && pages_[i].key.Text() == text) return static_cast<int16_t>(i + 1);
  }
  return -1;
}

void CWizard::SetNextStep(const WizardKey& key) {
  if (!stepping_) return;
  int16_t index = ResolveStep(key);
  if (index != -1) nextStep_ = index;
}

void CWizard::SetCurrentStep(const WizardKey& key) {
  if (stepping_) return;
  int16_t index = ResolveStep(key);
  if (index != -1) StepTo(index);
}

void CWizard::AddPage(IWizardPage* page, const WizardKey& key) {
  if (!page) return;
  if (IsValidKey(key) && !key.Numeric() && FindPageByKey(key.Text()) != -1) {
    delete page;  // handed over, but not taken
    return;
  }
  if (pages_.size() >= static_cast<size_t>(std::numeric_limits<int16_t>::max())) {
    delete page;
    return;
  }
  pages_.push_back(PageEntry{key, page, nullptr, false});
  stepCount_ = static_cast<int16_t>(pages_.size());
}

IWizardPage* CWizard::PageHandle(const WizardKey& key) const {
  int16_t index = ResolveStep(key);
  return index == -1 ? nullptr : pages_[index - 1].page;
}

QWidget* CWizard::PageWidgetAt(int16_t index) const {
  if (index < 1 || static_cast<size_t>(index) > pages_.size()) return nullptr;
  const PageEntry& entry = pages_[index - 1];
  return entry.loaded ? entry.page->PageWidget() : nullptr;
}

void CWizard::SetClientHandle(IWizardController* controller) {
  if (stepping_) return;
  client_ = controller;
  if (!controller) finish();
}

void CWizard::StepTo(const WizardKey& key) {
  if (stepping_) return;
  int16_t index = ResolveStep(key);
  if (index == -1) return;
  nextStep_ = index;
  Step(0);
}

void CWizard::Start(const WizardKey& key) {
  if (finishedLoading_ || stepCount_ < 1) return;
  if (key.IsAbsent()) {
    Step(+1);
  } else {
    int16_t index = ResolveStep(key);
    if (index == -1) return;
    StepTo(index);
  }
  view_->ShowWindow();
  finishedLoading_ = true;
}

void CWizard::Step(int32_t direction) {
  if (stepping_ || direction < -1 || direction > 1) return;
  if (currentStep_ < 1) {
    if (direction != 0) nextStep_ = 1;
    currentStep_ = 0;
  }
  int target = direction != 0 ? currentStep_ + direction : nextStep_;
  if (target > stepCount_ || target < 1) return;
  stepping_ = true;
  nextStep_ = static_cast<int16_t>(target);

  bool cancel = false;
  IgnoringFailure([&] {
    if (client_) client_->BeforeStep(direction, cancel);
  });
  if (!cancel) {
    target = nextStep_;
    if (SwitchPage(currentStep_, static_cast<int16_t>(target))) {
      lastStep_ = currentStep_;
      currentStep_ = static_cast<int16_t>(target);
      nextStep_ = -1;
      IgnoringFailure([&] { view_->RefreshButtons(); });
      if (currentStep_ == stepCount_) IgnoringFailure([&] { view_->SetLastStepButtons(); });
      if (currentStep_ == 1) IgnoringFailure([&] { view_->DisableBack(); });
      IgnoringFailure([&] {
        if (client_) client_->AfterStep();
      });
    }
  }
  stepping_ = false;
}

bool CWizard::SwitchPage(int16_t from, int16_t to) {
  try {
    if (from >= 1) {
      bool cancel = false;
      pages_[from - 1].page->BeforePageHide(*this, to, cancel);
      if (cancel) return false;
      pages_[from - 1].page->PageWidget()->hide();
    }
    if (!pages_[to - 1].loaded) {
      QWidget* widget = pages_[to - 1].page->PageWidget();
      pages_[to - 1].oldParent = view_->HostPage(widget);
      widget->hide();  // until BeforePageShow has accepted it
      pages_[to - 1].loaded = true;
    }
    pages_[to - 1].page->BeforePageShow(*this, from);
    pages_[to - 1].page->PageWidget()->show();
    return true;
  } catch (const std::exception&) {  // as in IgnoringFailure: the page is "not shown"
    return false;
  }
}

void CWizard::SetFrozen(bool frozen) {
  frozen_ = frozen;
  view_->ApplyFrozen(frozen);
  if (frozen || !closePending_) return;
  closePending_ = false;
  // Queued: the work that thawed the wizard unwinds first (its page code is still on the stack).
  QTimer::singleShot(0, view_->Widget(), [this] {
    if (!frozen_) view_->RequestClose();
  });
}

FrozenScope::FrozenScope(CWizard& wizard) : wizard_(wizard) {
  if (wizard_.freezeHolds_++ == 0) wizard_.SetFrozen(true);
}

FrozenScope::~FrozenScope() {
  if (--wizard_.freezeHolds_ == 0) wizard_.SetFrozen(false);
}

void CWizard::finish() {
  if (stepping_) return;
  IgnoringFailure([&] {
    if (shutdownRoutine_) shutdownRoutine_();
  });
  if (QWidget* current = PageWidgetAt(currentStep_)) current->hide();
  ReleasePages();
  client_ = nullptr;
}

void CWizard::ReleasePages() {
  // Deferred deletion: finish can run from inside a page's own key handler (Esc).
  for (PageEntry& entry : pages_) {
    QWidget* widget = entry.page->PageWidget();
    if (entry.loaded) view_->ReleasePage(widget, entry.oldParent);
    if (widget) {
      widget->deleteLater();
    } else {
      delete entry.page;
    }
  }
  pages_.clear();
  stepCount_ = 0;
}

void CWizard::TransferFocus() {
  if (stepping_) return;
  if (!focusTarget_) focusTarget_ = WizardButton::Next;
  view_->TransferFocus();
}

bool CWizard::TranslateKey(int key, Qt::KeyboardModifiers modifiers) {
  if (stepping_) return false;
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  auto usable = [&](WizardButton which) { return view_->Button(which)->isEnabled(); };
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && held == Qt::NoModifier) {
    for (WizardButton which : {WizardButton::Next, WizardButton::Back, WizardButton::Terminate}) {
      if (view_->Button(which)->isDefault() && usable(which)) {
        ClickButton(which);
        return true;
      }
    }
    view_->Beep();
    return false;
  }
  if (key == Qt::Key_Escape && held == Qt::NoModifier) {
    if (!usable(WizardButton::Terminate)) return false;
    ClickButton(WizardButton::Terminate);
    return true;
  }
  if (key == Qt::Key_Left && held == Qt::AltModifier) {
    if (usable(WizardButton::Back)) Step(-1);
  } else if (key == Qt::Key_Right && held == Qt::AltModifier) {
    if (usable(WizardButton::Next)) Step(+1);
  }
  return false;
}

void CWizard::SetCaption(const QString& caption) {
  view_->Widget()->setWindowTitle(caption);
}

void CWizard::ClickButton(WizardButton which) {
  focusTarget_ = which;
  switch (which) {
    case WizardButton::Help:
      if (client_) client_->OnRequestHelp();
      break;
    case WizardButton::Back:
      Step(-1);
      break;
    case WizardButton::Next:
      Step(+1);
      break;
    case WizardButton::Terminate:
      view_->RequestClose();
      break;
  }
}

bool CWizard::QueryUnload() {
  bool cancel = false;
  IgnoringFailure([&] {
    if (client_) client_->OnCancel(cancel);
  });
  return cancel;
}

void CWizard::OnUnload() {
  if (unloadHandler_) unloadHandler_();
}
