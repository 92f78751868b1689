#pragma once
// Whoever hosts a hand control operation: the wizard window, the CLI, or a test. The operations
// ask their questions and report progress only through this.
#include <string>

enum class MsgIcon { None, Information, Warning, Question, Error };
enum class MsgButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel, Retry };

class IHost {
 public:
  virtual ~IHost() = default;
  // Let the user interface process pending events (repaint, a press of the cancel button).
  virtual void Breathe() = 0;
  virtual MsgAnswer Message(const std::string& text, const std::string& title, MsgIcon icon,
                            MsgButtons buttons) = 0;
  // Progress label text ("Programming Hand Control : 37%"), bar fraction 0..1, window caption
  // ("HC 37%").
  virtual void Progress(const std::string& label, double fraction, const std::string& caption) = 0;
  // The programming-mode instructions, shown modally.
  virtual void ShowProgrammingModeHelp() = 0;
  // The user declined to cancel programming: the run goes on and can be cancelled again.
  virtual void CancelDeclined() = 0;
  // A remark that needs no answer (a password about to travel unencrypted): the CLI prints it on
  // stderr; the window leaves it to the debug log.
  virtual void Notice(const std::string& text) { (void)text; }
  // Whether the user has asked to stop what runs now (Ctrl-C in a terminal); a transfer checks
  // it while it waits. Hosts with their own cancel flow keep the default.
  virtual bool StopRequested() { return false; }
};
