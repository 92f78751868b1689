#include "programmer/OperationScope.h"

#include "programmer/Link.h"

namespace {

std::optional<Operation> gCurrent;

void ClearRunFlags() {
  gProgramming = gVerifying = gCancelProgramming = gCancelVerify = false;
}

}  // namespace

OperationScope::OperationScope(Operation operation) {
  if (gCurrent) return;
  started_ = true;
  gCurrent = operation;
  ClearRunFlags();
  // A read is cancelled through its own checks, a download by nothing at all: neither is a run
  // that the window's close request may turn into a cancel request.
  gProgramming = operation == Operation::Programming;
  gVerifying = operation == Operation::Verifying;
}

OperationScope::~OperationScope() {
  if (!started_) return;
  ClearRunFlags();
  gCurrent.reset();
}

std::optional<Operation> OperationScope::Current() {
  return gCurrent;
}
