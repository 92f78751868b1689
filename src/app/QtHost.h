#pragma once
// The window program's host of hand control operations: breathing processes pending events,
// questions are modal message boxes, progress goes to the registered progress view and the
// wizard window's caption.
#include <functional>

#include "app/ProgressView.h"
#include "base/Host.h"

class CWizard;

class QtHost : public IHost {
 public:
  // Shows a message box; replaceable so that tests answer without a real modal box.
  using MessageBoxFn = std::function<MsgAnswer(const std::string& text, const std::string& title,
                                               MsgIcon icon, MsgButtons buttons)>;

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

 private:
  CWizard* wizard_ = nullptr;
  IProgressView* progressView_ = nullptr;
  std::function<void()> modeHelp_;
  MessageBoxFn messageBox_;
};

// The host the window program runs on (used by the pages for their own questions).
QtHost& TheQtHost();

// A modal QMessageBox with the icon and buttons asked for, over the active window.
// noByDefault makes No the button that Enter presses.
MsgAnswer ShowQtMessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                           MsgButtons buttons, bool noByDefault = false);
