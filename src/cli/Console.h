#pragma once
// The console as the host of the hand control operations: questions on the terminal (or a fixed
// policy without one), progress on stderr, Ctrl-C as the cancel button.
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "OverallProgress.h"
#include "base/Host.h"

class ConsoleHost : public IHost {
 public:
  ConsoleHost();

  void Breathe() override;
  MsgAnswer Message(const HostMessage& message) override;
  void Progress(LinkPhase phase, double fraction) override;
  void ShowProgrammingModeHelp() override;
  void CancelDeclined() override;
  void Notice(const HostMessage& message) override;
  bool StopRequested() override;

  // A download's progress, with its label ("Downloading NAME : 12 KB of 256 KB").
  void TransferProgress(const std::string& label, double fraction);
  // Ends a self-rewriting progress line so that the next output starts on a fresh line.
  void EndProgressLine();
  // What the operation ran into, for the exit code.
  bool Cancelled() const { return cancelled_; }
  bool DifferenceFound() const { return difference_; }
  // The last message the operation showed, for a failure that printed nothing else.
  const std::string& LastMessage() const { return lastMessage_; }
  // Bank and block of every difference a verification reported.
  const std::vector<std::pair<int, int>>& Differences() const { return differences_; }
  // For tests and for forcing either mode: questions on the terminal, progress line rewriting.
  void SetInteractive(bool questionsOnTerminal, bool progressOnTerminal);
  // --quiet: no progress at all.
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  bool Quiet() const { return quiet_; }
  // A copy run for one of several ports: the job's progress goes to stderr as worker lines for
  // the copy that started it, instead of a line for a person.
  void SetWorker(bool worker) { worker_ = worker; }
  // One progress for a whole job ("Flash", "Verify", "Read") over the phases of the plan; until
  // EndJob the link's phase labels only move it along. The erase reports nothing for seconds, so
  // the countdown is redrawn when the link breathes between its waits.
  void BeginJob(const std::string& title, std::vector<ProgressPhase> plan);
  void EnterPhase(const std::string& name);
  void EndJob();

 private:
  // The progress of a phase without a job's plan: a link phase, or a transfer.
  static constexpr int kTransferPhase = -1;
  MsgAnswer Ask(const std::string& text, MsgButtons buttons, MsgAnswer policyAnswer);
  MsgAnswer PolicyAnswer(const HostMessage& message);
  void PhaseProgress(int phase, const std::string& label, double fraction);
  void DrawJob();
  double Now() const;

  bool askTerminal_;
  bool progressTerminal_;
  int columns_ = 0;
  bool lineOpen_ = false;
  bool cancelled_ = false;
  bool difference_ = false;
  std::string lastRetryKey_;
  int retriesForKey_ = 0;
  int phase_ = -2;
  int lastDecile_ = -1;
  std::chrono::steady_clock::time_point phaseStart_;
  std::string lastLabel_;
  std::chrono::steady_clock::time_point lastDraw_;
  bool quiet_ = false;
  bool worker_ = false;
  std::string lastMessage_;
  std::vector<std::pair<int, int>> differences_;
  std::string jobTitle_;
  OverallProgress job_;
  std::string lastJobText_;
  double jobStart_ = 0;
  double lastTick_ = 0;
};

ConsoleHost& ConsoleHostInstance();

// A progress line cut to a terminal of the given width (0: unknown, left whole): the bar
// shrinks first, then the text is cut, so that the line never wraps.
std::string FitProgressLine(const std::string& head, double fraction, const std::string& tail,
                            int columns);
// The width of the terminal on fd, or 0 when it is none.
int TerminalColumns(int fd);
// From now on a resized terminal is noticed (SIGWINCH); TerminalResized says so once.
void WatchTerminalSize();
bool TerminalResized();

// Ctrl-C (SIGINT) and SIGTERM: the first asks the running operation to cancel at its next
// check; a second one while that request is still pending ends the program at once.
void InstallInterruptHandler();
bool InterruptPending();
void ClearInterrupt();
// For the copy that runs several others: Ctrl-C and SIGTERM are only counted, each one to be
// passed on to every copy still running (the first asks them to cancel, a second stops them).
void CountInterrupts();
int InterruptCount();

// A worker's progress line: this mark, the job's percent, a space and the phase's English name.
// No text a command prints starts with a control character (outside texts are escaped).
constexpr char kWorkerProgressMark = '\x1f';
