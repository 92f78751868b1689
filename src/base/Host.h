#pragma once
// Whoever hosts a hand control operation: the wizard window, the CLI, or a test. The operations
// ask their questions and report progress only through this, in kinds and parameters; the host
// renders the texts.
#include <string>

#include "base/Message.h"

// What a long operation on the hand control is doing; the progress label names it.
enum class LinkPhase { Erasing, Programming, ProgrammingComplete, Verifying, Reading };

class IHost {
 public:
  virtual ~IHost() = default;
  // Let the user interface process pending events (repaint, a press of the cancel button).
  virtual void Breathe() = 0;
  virtual MsgAnswer Message(const HostMessage& message) = 0;
  // The phase under way and how far it is, 0..1 of the image; the host shows the label
  // ("Programming Hand Control : 37%"), a bar, and the window caption ("HC 37%").
  virtual void Progress(LinkPhase phase, double fraction) = 0;
  // The programming-mode instructions, shown modally.
  virtual void ShowProgrammingModeHelp() = 0;
  // The user declined to cancel programming: the run goes on and can be cancelled again.
  virtual void CancelDeclined() = 0;
  // A remark that needs no answer (a password about to travel unencrypted): the CLI prints it on
  // stderr; the window leaves it to the debug log.
  virtual void Notice(const HostMessage& message) { (void)message; }
  // Whether the user has asked to stop what runs now (Ctrl-C in a terminal); a transfer checks
  // it while it waits. Hosts with their own cancel flow keep the default.
  virtual bool StopRequested() { return false; }
};
