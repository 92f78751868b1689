#pragma once
// A reusable wizard: one window showing one page at a time out of an ordered list, stepping
// between them under the veto of the pages and of the controller (the client). Steps, keys and
// indices are 1-based; -1 means "none".
#include <QString>
#include <Qt>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "wizard/IWizardController.h"
#include "wizard/IWizardPage.h"
#include "wizard/IWizardView.h"
#include "wizard/WizardKey.h"
#include "wizard/WizardStyle.h"

class QPushButton;
class QWidget;

class CWizard {
 public:
  // Without a view the wizard makes its own window (CWizardWindow) in the given style.
  explicit CWizard(std::unique_ptr<IWizardView> view = nullptr, WizardStyle style = {});
  ~CWizard();
  CWizard(const CWizard&) = delete;
  CWizard& operator=(const CWizard&) = delete;

  int16_t LastStep() const { return lastStep_; }
  int16_t NextStep() const { return nextStep_; }
  // Accepted only inside a step (from BeforeStep): redirects it.
  void SetNextStep(const WizardKey& key);
  int16_t CurrentStep() const { return currentStep_; }
  // Ignored inside a step; otherwise StepTo.
  void SetCurrentStep(const WizardKey& key);
  bool Frozen() const { return frozen_; }
  // The wizard takes the page over (see IWizardPage). A second page under an existing text key
  // is ignored.
  void AddPage(IWizardPage* page, const WizardKey& key = {});
  IWizardPage* PageHandle(const WizardKey& key) const;
  int16_t StepCount() const { return stepCount_; }
  IWizardController* ClientHandle() const { return client_; }
  // Setting none runs finish(). Ignored inside a step.
  void SetClientHandle(IWizardController* controller);
  void StepTo(const WizardKey& key);
  // Shows the window with page 1 (or the page of key) and returns at once.
  void Start(const WizardKey& key = {});
  // Shut-down: the shutdown routine, pages unloaded, controller released.
  void finish();
  void Step(int32_t direction);
  bool FinishedLoading() const { return finishedLoading_; }
  // Locks the user controls around slow work (the exit button stays usable on the style's
  // cancellable step). Pages hold a FrozenScope rather than writing this themselves.
  void SetFrozen(bool frozen);
  // A close the user asked for while the wizard was frozen: the window closes as it would have
  // (through the controller's OnCancel) once the work ends, not in the middle of it.
  void CloseWhenThawed() { closePending_ = true; }
  bool ClosePending() const { return closePending_; }
  void TransferFocus();
  // Enter, Esc, Alt+Left, Alt+Right as the buttons would do them. Pages call it from their key
  // release handler. Returns true when the key was used up (a click handler ran).
  bool TranslateKey(int key, Qt::KeyboardModifiers modifiers);

  // The window, for captions and dialogs' parents; the exit button (caption "Exit", "Finish",
  // "Cancel", "Wait...").
  QWidget* Window() const { return view_->Widget(); }
  QPushButton* TerminateButton() const { return view_->Button(WizardButton::Terminate); }
  void SetTerminateRole(TerminateRole role) { view_->SetTerminateRole(role); }
  QPushButton* Button(WizardButton which) const { return view_->Button(which); }
  void SetCaption(const QString& caption);

  // Step keys.
  static bool IsValidKey(const WizardKey& key);
  int16_t ResolveStep(const WizardKey& key) const;
  bool Stepping() const { return stepping_; }

  // Window side.
  void ClickButton(WizardButton which);  // a button's click handler
  std::optional<WizardButton> FocusTarget() const { return focusTarget_; }
  // The page widget at an index (1-based), null when none or not loaded yet.
  QWidget* PageWidgetAt(int16_t index) const;
  bool QueryUnload();  // true keeps the window open
  void OnUnload();     // the window is gone: the program ends through the unload handler
  void SetUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }
  // What finish runs first: the application's own shut-down; nothing unless set.
  void SetShutdownRoutine(std::function<void()> routine) { shutdownRoutine_ = std::move(routine); }
  void SetFinishedLoading(bool value) { finishedLoading_ = value; }

 private:
  friend class FrozenScope;
  struct PageEntry {
    WizardKey key;
    IWizardPage* page = nullptr;
    QWidget* oldParent = nullptr;
    bool loaded = false;
  };
  int16_t FindPageByKey(const std::string& text) const;
  bool SwitchPage(int16_t from, int16_t to);
  void ReleasePages();

  std::unique_ptr<IWizardView> view_;
  std::vector<PageEntry> pages_;  // index 1 is pages_[0]
  int16_t stepCount_ = -1;
  int16_t currentStep_ = -1;
  int16_t lastStep_ = -1;
  int16_t nextStep_ = -1;
  bool stepping_ = false;
  bool frozen_ = false;
  bool closePending_ = false;
  int freezeHolds_ = 0;  // FrozenScopes alive
  bool finishedLoading_ = false;
  IWizardController* client_ = nullptr;
  std::optional<WizardButton> focusTarget_;
  std::function<void()> unloadHandler_;
  std::function<void()> shutdownRoutine_;
};

// Freezes the wizard for its lifetime. Scopes nest: the wizard thaws when the outermost one
// ends, so work that freezes inside a caller's frozen work (a list selection inside a page
// refresh) cannot unfreeze the caller's, and no return path can leave the wizard frozen.
class FrozenScope {
 public:
  explicit FrozenScope(CWizard& wizard);
  ~FrozenScope();
  FrozenScope(const FrozenScope&) = delete;
  FrozenScope& operator=(const FrozenScope&) = delete;

 private:
  CWizard& wizard_;
};
