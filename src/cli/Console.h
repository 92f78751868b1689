#pragma once
// The console as the host of the hand control operations: questions on the terminal (or a fixed
// policy without one), progress on stderr, Ctrl-C as the cancel button.
#include <chrono>
#include <string>

#include "base/Host.h"

class ConsoleHost : public IHost {
 public:
  ConsoleHost();

  void Breathe() override;
  MsgAnswer Message(const std::string& text, const std::string& title, MsgIcon icon,
                    MsgButtons buttons) override;
  void Progress(const std::string& label, double fraction, const std::string& caption) override;
  void ShowProgrammingModeHelp() override;
  void RestoreCancelButton() override;

  // Ends a self-rewriting progress line so that the next output starts on a fresh line.
  void EndProgressLine();
  // What the operation ran into, for the exit code.
  bool Cancelled() const { return cancelled_; }
  bool DifferenceFound() const { return difference_; }
  // For tests and for forcing either mode: questions on the terminal, progress line rewriting.
  void SetInteractive(bool questionsOnTerminal, bool progressOnTerminal);

 private:
  MsgAnswer Ask(const std::string& text, MsgButtons buttons, MsgAnswer policyAnswer);
  MsgAnswer PolicyAnswer(const std::string& text, MsgButtons buttons);

  bool askTerminal_;
  bool progressTerminal_;
  bool lineOpen_ = false;
  bool cancelled_ = false;
  bool difference_ = false;
  std::string lastRetryText_;
  int retriesForText_ = 0;
  std::string phase_;
  int lastDecile_ = -1;
  std::chrono::steady_clock::time_point phaseStart_;
  std::string lastLabel_;
  std::chrono::steady_clock::time_point lastDraw_;
};

ConsoleHost& ConsoleHostInstance();

// Ctrl-C (SIGINT) and SIGTERM: the first asks the running operation to cancel at its next
// check; a second one while that request is still pending ends the program at once.
void InstallInterruptHandler();
bool InterruptPending();
void ClearInterrupt();
