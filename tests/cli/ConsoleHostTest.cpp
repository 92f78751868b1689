// The console host's answers without a terminal, and Ctrl-C as the cancel request.
#include <gtest/gtest.h>

#include <csignal>

#include "cli/Console.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

namespace {

struct Step {
  HostMessage message;
  MsgAnswer expected;
};

HostMessage WriteRetry(int block) {
  return LinkMessage(MessageKind::WriteRetryQuestion, {std::to_string(block)});
}

TEST(ConsoleHostPolicy, AnswersWithoutATerminal) {
  const HostMessage readBlock3 = LinkBlockMessage(MessageKind::VerifyReadRetryQuestion, 0, 3);
  const Step steps[] = {
      // Two retries for the same block, then give up; another block starts afresh.
      {WriteRetry(0), MsgAnswer::Yes},
      {WriteRetry(0), MsgAnswer::Yes},
      {WriteRetry(0), MsgAnswer::No},
      {WriteRetry(21), MsgAnswer::Yes},
      {readBlock3, MsgAnswer::Retry},
      {LinkBlockMessage(MessageKind::VerifyReadRetryQuestion, 0, 4), MsgAnswer::Retry},
      {readBlock3, MsgAnswer::Retry},
      {readBlock3, MsgAnswer::Retry},
      {readBlock3, MsgAnswer::Cancel},
      {LinkBlockMessage(MessageKind::DifferenceQuestion, 1, 400), MsgAnswer::Yes},
      {LinkMessage(MessageKind::CancelProgrammingQuestion), MsgAnswer::Yes},
      {LinkMessage(MessageKind::UnsupportedFirmwareQuestion), MsgAnswer::No},
      {LinkMessage(MessageKind::NoResponse), MsgAnswer::Ok},
  };
  ConsoleHost host;
  host.SetInteractive(false, false);
  for (const Step& step : steps) {
    SCOPED_TRACE(MessageText(step.message));
    EXPECT_EQ(host.Message(step.message), step.expected);
  }
  EXPECT_TRUE(host.DifferenceFound());
  EXPECT_EQ(host.Differences(), (std::vector<std::pair<int, int>>{{1, 400}}));
  EXPECT_FALSE(host.Cancelled());
}

TEST(ConsoleHostPolicy, OnlyTheCancelButtonMessagesCountAsCancelledByTheUser) {
  struct Case {
    MessageKind kind;
    bool cancelled;
  };
  const Case cases[] = {{MessageKind::ProgrammingCancelled, true},
                        {MessageKind::VerifyCancelled, true},
                        {MessageKind::VerifyStopped, false},
                        {MessageKind::NoResponse, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    ConsoleHost host;
    host.SetInteractive(false, false);
    host.Message(LinkMessage(c.kind));
    EXPECT_EQ(host.Cancelled(), c.cancelled);
    EXPECT_FALSE(host.DifferenceFound());
  }
}

TEST(ConsoleHostInterrupt, CtrlCRaisesTheRequestOfTheRunningOperationOnly) {
  InstallInterruptHandler();
  ConsoleHost host;
  struct Case {
    Operation operation;
    bool wantProgramCancel, wantVerifyCancel;
  };
  const Case cases[] = {{Operation::Programming, true, false},
                        {Operation::Verifying, false, true},
                        {Operation::Reading, false, false}};
  for (const Case& c : cases) {
    OperationScope run(c.operation);
    host.Breathe();
    EXPECT_FALSE(gCancelProgramming || gCancelVerify) << "no interrupt yet";
    std::raise(SIGINT);
    EXPECT_TRUE(InterruptPending());
    host.Breathe();
    EXPECT_EQ(gCancelProgramming, c.wantProgramCancel);
    EXPECT_EQ(gCancelVerify, c.wantVerifyCancel);
    // Declining the cancel confirmation restores the button and ends the request.
    host.CancelDeclined();
    EXPECT_FALSE(InterruptPending());
  }
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
}

}  // namespace

namespace {

TEST(ConsoleHostProgress, TheLineFitsTheTerminalSoNoUpdateBecomesANewLine) {
  const std::string head = "Flash 37%", tail = "programming, 0:01 elapsed, 0:04 left";
  const struct {
    int columns;
    bool barShown;
  } cases[] = {{0, true},   {120, true}, {80, true}, {62, true},
               {50, false}, {20, false}, {1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.columns);
    const std::string line = FitProgressLine(head, 0.37, tail, c.columns);
    if (c.columns > 0) {
      EXPECT_LT(line.size(), static_cast<size_t>(c.columns));
    }
    EXPECT_EQ(line.find('[') != std::string::npos, c.barShown);
    EXPECT_EQ(line.rfind(head.substr(0, std::min<size_t>(head.size(), line.size())), 0), 0u);
  }
  EXPECT_EQ(FitProgressLine(head, 0.5, tail, 80),
            head + " [" + std::string(15, '#') + std::string(15, '.') + "] " + tail);
}

}  // namespace
