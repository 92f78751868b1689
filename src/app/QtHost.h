#pragma once
// The window program's host of hand control operations: breathing processes pending events,
// questions are modal message boxes, progress goes to the registered progress view and the
// wizard window's caption.
#include <functional>

#include "app/ProgressView.h"
#include "base/Host.h"

class CWizard;

// What a message box shows: the text, and under it the system's cause where one is known.
struct BoxContent {
  std::string text;
  std::string title;
  std::string cause;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  MsgAnswer cautious = MsgAnswer::Ok;  // see MessageRow
};

class QtHost : public IHost {
 public:
  // Shows a message box; replaceable so that tests answer without a real modal box.
  using MessageBoxFn = std::function<MsgAnswer(const BoxContent& box)>;

  void Breathe() override;
  MsgAnswer Message(const HostMessage& message) override;
  void Progress(LinkPhase phase, double fraction) override;
  void ShowProgrammingModeHelp() override;
  void CancelDeclined() override;

  void SetWizard(CWizard* wizard) { wizard_ = wizard; }
  // The programming page registers its bar and label here (null: none).
  void SetProgressView(IProgressView* view) { progressView_ = view; }
  // The programming-mode instructions dialog (frmHCerror), shown modally.
  void SetProgrammingModeHelp(std::function<void()> show) { modeHelp_ = std::move(show); }
  void SetMessageBox(MessageBoxFn fn) { messageBox_ = std::move(fn); }
  // The program is being ended from outside (SIGTERM, SIGHUP): nobody is there to answer, so
  // questions get the answer that ends the work soonest without harm, and every message goes
  // to the debug log instead of a box.
  void SetEnding(bool ending) { ending_ = ending; }
  bool Ending() const { return ending_; }

 private:
  CWizard* wizard_ = nullptr;
  IProgressView* progressView_ = nullptr;
  std::function<void()> modeHelp_;
  MessageBoxFn messageBox_;
  bool ending_ = false;
};

// The host the window program runs on (used by the pages for their own questions).
QtHost& TheQtHost();

// A modal QMessageBox with the icon and buttons asked for, over the active window.
MsgAnswer ShowQtMessageBox(const BoxContent& content);

// The answer to a message when nobody is there to give one: a cancel confirmed, the cautious
// answer to every other question.
MsgAnswer UnattendedAnswer(const HostMessage& message);
