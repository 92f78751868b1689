#include "programmer/OperationScope.h"

#include "programmer/Link.h"

namespace {

std::optional<Operation> gCurrent;
bool gProgrammingFlag = false, gVerifyingFlag = false, gCancelProgrammingFlag = false,
     gCancelVerifyFlag = false;

void ClearRunFlags() {
  gProgrammingFlag = gVerifyingFlag = gCancelProgrammingFlag = gCancelVerifyFlag = false;
}

}  // namespace

const bool& gProgramming = gProgrammingFlag;
const bool& gVerifying = gVerifyingFlag;
const bool& gCancelProgramming = gCancelProgrammingFlag;
const bool& gCancelVerify = gCancelVerifyFlag;

OperationScope::OperationScope(Operation operation) {
  if (gCurrent) return;
  started_ = true;
  gCurrent = operation;
  ClearRunFlags();
  // A read is cancelled through its own checks, a download by nothing at all: neither is a run
  // that the window's close request may turn into a cancel request.
  gProgrammingFlag = operation == Operation::Programming;
  gVerifyingFlag = operation == Operation::Verifying;
}

OperationScope::~OperationScope() {
  if (!started_) return;
  ClearRunFlags();
  gCurrent.reset();
}

std::optional<Operation> OperationScope::Current() {
  return gCurrent;
}

bool OperationScope::RequestCancel() {
  if (gProgrammingFlag) {
    gCancelProgrammingFlag = true;
    return true;
  }
  if (gVerifyingFlag) {
    gCancelVerifyFlag = true;
    return true;
  }
  return false;
}

void OperationScope::DeclineCancel() {
  gCancelProgrammingFlag = false;
}

void OperationScope::ForgetCancelRequests() {
  gCancelProgrammingFlag = gCancelVerifyFlag = false;
}

void OperationScope::EnterCheckPhase() {
  // Outside an operation no flag is raised, so none is left behind.
  if (!gCurrent) return;
  gProgrammingFlag = false;
  gVerifyingFlag = true;
}
