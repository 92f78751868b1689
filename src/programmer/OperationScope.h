#pragma once
// The one owner of the run flags (gProgramming, gVerifying, gCancelProgramming, gCancelVerify):
// nothing else assigns them.
// Whoever programs, verifies or reads the hand control, or downloads from the site, holds a
// scope for exactly as long as the operation runs. The operation starts with no cancel request
// pending and leaves every flag cleared however it ends, so a request meant for one run never
// reaches the next, and a second operation cannot start inside the first.
#include <optional>

enum class Operation { Programming, Verifying, Reading, Downloading };

class OperationScope {
 public:
  explicit OperationScope(Operation operation);
  ~OperationScope();
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

  // False when another operation was already under way: this scope then changed nothing and
  // the caller must not start its own.
  bool Started() const { return started_; }

  // The operation under way, if any.
  static std::optional<Operation> Current();

  // The user asked to stop (the window's cancel button, Ctrl-C): the request is raised for the
  // programming or verification under way, to be answered at its next check. False when
  // neither runs.
  static bool RequestCancel();
  // The user answered No to cancelling programming: it goes on and can be cancelled again.
  static void DeclineCancel();
  // A run that begins forgets any request left from before it.
  static void ForgetCancelRequests();
  // Programming ends in a check of every block: from then on a cancel stops a verification.
  static void EnterCheckPhase();

 private:
  bool started_ = false;
};
