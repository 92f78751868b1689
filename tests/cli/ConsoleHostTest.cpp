// The console host's answers without a terminal, and Ctrl-C as the cancel request.
#include <gtest/gtest.h>

#include <csignal>

#include "cli/Console.h"
#include "programmer/Link.h"

namespace {

const std::string kRetryRun0 =
    "An Error occurred Programming Data at Block: 0\r\n\r\nYou may be able to recover by "
    "Retrying.\r\n\r\nWould you like to Retry Block?";
const std::string kRetryRun21 =
    "An Error occurred Programming Data at Block: 21\r\n\r\nYou may be able to recover by "
    "Retrying.\r\n\r\nWould you like to Retry Block?";
const std::string kReadBlock3 = "Error Verifying Data at Bank: 0, Block: 3";
const std::string kReadBlock4 = "Error Verifying Data at Bank: 0, Block: 4";
const std::string kDifference = "Found Difference at Bank: 1, Block: 400\r\n\r\nContinue?";
const std::string kConfirmCancel =
    "Cancelling Programming at this stage would leave the device in Program mode\r\nmaking the "
    "firmware unusable until reprogrammed!\r\n\r\nAre you sure you want to Cancel Programming?";

struct Step {
  std::string text;
  MsgButtons buttons;
  MsgAnswer expected;
};

TEST(ConsoleHostPolicy, AnswersWithoutATerminal) {
  const Step steps[] = {
      // Two retries for the same block, then give up; another block starts afresh.
      {kRetryRun0, MsgButtons::YesNo, MsgAnswer::Yes},
      {kRetryRun0, MsgButtons::YesNo, MsgAnswer::Yes},
      {kRetryRun0, MsgButtons::YesNo, MsgAnswer::No},
      {kRetryRun21, MsgButtons::YesNo, MsgAnswer::Yes},
      {kReadBlock3, MsgButtons::RetryCancel, MsgAnswer::Retry},
      {kReadBlock4, MsgButtons::RetryCancel, MsgAnswer::Retry},
      {kReadBlock3, MsgButtons::RetryCancel, MsgAnswer::Retry},
      {kReadBlock3, MsgButtons::RetryCancel, MsgAnswer::Retry},
      {kReadBlock3, MsgButtons::RetryCancel, MsgAnswer::Cancel},
      {kDifference, MsgButtons::YesNo, MsgAnswer::Yes},
      {kConfirmCancel, MsgButtons::YesNo, MsgAnswer::Yes},
      {"Are you sure you want to Exit the program?", MsgButtons::YesNo, MsgAnswer::No},
      {"No response from HC", MsgButtons::Ok, MsgAnswer::Ok},
  };
  ConsoleHost host;
  host.SetInteractive(false, false);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.text);
    EXPECT_EQ(host.Message(step.text, "PadFlasher", MsgIcon::Warning, step.buttons), step.expected);
  }
  EXPECT_TRUE(host.DifferenceFound());
  EXPECT_FALSE(host.Cancelled());
}

TEST(ConsoleHostPolicy, OnlyTheCancelButtonMessagesCountAsCancelledByTheUser) {
  struct Case {
    const char* text;
    bool cancelled;
  };
  const Case cases[] = {{"Programming cancelled by user", true},
                        {"Verify cancelled by user", true},
                        {"Verify Cancelled by User", false},
                        {"No response from HC", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ConsoleHost host;
    host.SetInteractive(false, false);
    host.Message(c.text, "PadFlasher", MsgIcon::Warning, MsgButtons::Ok);
    EXPECT_EQ(host.Cancelled(), c.cancelled);
    EXPECT_FALSE(host.DifferenceFound());
  }
}

TEST(ConsoleHostInterrupt, CtrlCRaisesTheRequestOfTheRunningOperationOnly) {
  InstallInterruptHandler();
  ConsoleHost host;
  struct Case {
    bool programming, verifying, wantProgramCancel, wantVerifyCancel;
  };
  const Case cases[] = {
      {true, false, true, false}, {false, true, false, true}, {false, false, false, false}};
  for (const Case& c : cases) {
    gProgramming = c.programming;
    gVerifying = c.verifying;
    gCancelProgramming = gCancelVerify = false;
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
  gProgramming = gVerifying = gCancelProgramming = gCancelVerify = false;
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
}

}  // namespace
