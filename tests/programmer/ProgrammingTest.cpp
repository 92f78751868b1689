// The programming run: what goes over the line, retries, cancelling, and what counts as success.
#include <algorithm>
#include <functional>

#include "LinkFixture.h"
#include "programmer/OperationScope.h"

namespace {

const char* const kErase = "@@5XXXXXXXX";
const std::string kRetryTail = std::string("\r\n\r\nYou may be able to recover by Retrying.") +
                               "\r\n\r\nWould you like to Retry Block?";

std::vector<std::string> UpToCheckPhase(const std::vector<std::string>& commands) {
  std::vector<std::string> out;
  for (const auto& c : commands) {
    if (c.starts_with("@@8")) break;
    out.push_back(c);
  }
  // The check phase's own page command for the first range precedes its first checksum read.
  if (!out.empty() && out.size() < commands.size()) out.pop_back();
  return out;
}

}  // namespace

TEST_F(LinkTest, TwoRunsInTheLowerRangeOfBankZero) {
  FillRange(0, 10, 19);
  FillRange(0, 21, 25);
  EXPECT_TRUE(ProgramHandControl());
  const std::vector<std::string> expected = {kErase,        "@@101XXXXXX", "@@20A000AXX",
                                             "@@2150005XX", "@@100XXXXXX", "@@103XXXXXX",
                                             "@@102XXXXXX"};
  EXPECT_EQ(UpToCheckPhase(Commands()), expected);
  EXPECT_TRUE(FlashMatchesImage());
  EXPECT_EQ(sim->Device().BytesReceived() - 11 * static_cast<int64_t>(Commands().size()),
            15 * kBlockSize);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.labels.back(), "Programming Complete : 100%");
  EXPECT_EQ(host.captions.back(), "HC 100%");
}

TEST_F(LinkTest, UpperRangeOfBankOneIsAddressedFromTheMiddleOfItsPage) {
  Fill(1, 400);
  EXPECT_TRUE(ProgramHandControl());
  const auto tail = From("@@102XXXXXX");
  ASSERT_GE(tail.size(), 2u);
  EXPECT_EQ(tail[1], "@@2900001XX");
  EXPECT_TRUE(FlashMatchesImage());
  // The check phase reads bank 1 only where it is not blank.
  EXPECT_EQ(Count("@@8"), 384 + 1);
  EXPECT_EQ(Commands().back(), "@@8900001XX");
}

TEST_F(LinkTest, AFullLowerRangeIsOneRunCountedAsZero) {
  FillRange(0, 0, 255);
  EXPECT_TRUE(ProgramHandControl());
  EXPECT_EQ(Count("@@2"), 1);
  EXPECT_EQ(From("@@101XXXXXX").at(1), "@@2000000XX");
  EXPECT_TRUE(FlashMatchesImage());
}

TEST_F(LinkTest, BlankImageErasesSelectsFourPagesAndChecksBankZeroOnly) {
  EXPECT_TRUE(ProgramHandControl());
  const std::vector<std::string> writing = {kErase, "@@101XXXXXX", "@@100XXXXXX", "@@103XXXXXX",
                                            "@@102XXXXXX"};
  EXPECT_EQ(UpToCheckPhase(Commands()), writing);
  EXPECT_EQ(Count("@@2"), 0);
  EXPECT_EQ(Count("@@8"), 384);
  // Check phase: page 01 before block 0, page 00 before block 384, no page of bank 1.
  EXPECT_EQ(Commands().size(), writing.size() + 2 + 384);
  EXPECT_EQ(Commands()[5], "@@101XXXXXX");
  EXPECT_EQ(Commands()[6], "@@8000001XX");
  EXPECT_EQ(Commands()[6 + 256], "@@100XXXXXX");
  EXPECT_EQ(Commands()[7 + 256], "@@8800001XX");
}

TEST_F(LinkTest, BlocksBetweenTheRangesAreNeverWritten) {
  Fill(0, 300);
  Fill(1, 383);
  EXPECT_TRUE(ProgramHandControl());
  EXPECT_EQ(Count("@@2"), 0);
  EXPECT_EQ(Count("@@1"), 4 + 2);
  EXPECT_EQ(sim->Device().Flash()[ImageOffset(0, 300)], 0xFF);
}

TEST_F(LinkTest, UnacknowledgedRunNamesTheBlockWhereItsSearchStarted) {
  struct Case {
    const char* fault;
    const char* block;
  } cases[] = {{"nack=1", "0"}, {"nack=2", "21"}};
  for (const auto& c : cases) {
    Attach(c.fault);
    host = ScriptedHost();
    FillRange(0, 10, 19);
    FillRange(0, 21, 25);
    host.Script({MsgAnswer::No});
    EXPECT_FALSE(ProgramHandControl()) << c.fault;
    ASSERT_EQ(host.messages.size(), 1u) << c.fault << ": No ends the run without another message";
    EXPECT_EQ(host.messages[0].text,
              std::string("An Error occurred Programming Data at Block: ") + c.block + kRetryTail);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host.messages[0].title, "PadFlasher");
    EXPECT_EQ(Count("@@8"), 0) << c.fault;
  }
}

TEST_F(LinkTest, RetryResendsTheWholeRunWithoutAnotherPageCommand) {
  Attach("nack=1");
  FillRange(0, 10, 19);
  FillRange(0, 21, 25);
  host.Script({MsgAnswer::Yes});
  EXPECT_TRUE(ProgramHandControl());
  const std::vector<std::string> expected = {kErase,        "@@101XXXXXX", "@@20A000AXX",
                                             "@@20A000AXX", "@@2150005XX", "@@100XXXXXX",
                                             "@@103XXXXXX", "@@102XXXXXX"};
  EXPECT_EQ(UpToCheckPhase(Commands()), expected);
  EXPECT_EQ(sim->Device().BytesReceived() - 11 * static_cast<int64_t>(Commands().size()),
            25 * kBlockSize);
  EXPECT_TRUE(FlashMatchesImage());
}

TEST_F(LinkTest, AcknowledgementDeadlineRunsFromTheLastBlock) {
  struct Case {
    const char* fault;
    bool asked;
  } cases[] = {{"delay=4900:2", false}, {"delay=5100:2", true}};
  for (const auto& c : cases) {
    Attach(c.fault);
    host = ScriptedHost();
    FillRange(0, 0, 40);
    host.Script({MsgAnswer::No});
    EXPECT_EQ(ProgramHandControl(), !c.asked) << c.fault;
    EXPECT_EQ(host.messages.size(), c.asked ? 1u : 0u) << c.fault;
  }
}

TEST_F(LinkTest, PacedLineWithAFullTransmitBufferStillProgramsEverything) {
  Attach(hcsim::Faults{}, 19200);
  FillRange(0, 0, 255);
  FillRange(1, 384, 511);
  EXPECT_TRUE(ProgramHandControl());
  EXPECT_TRUE(FlashMatchesImage());
  EXPECT_TRUE(host.messages.empty());
  // 384 blocks at 19200 baud cannot take less than their line time.
  EXPECT_GE(sim->NowMs(), 384 * 256 * 10 * 1000 / 19200);
}

TEST_F(LinkTest, DeviceHoldingTheLineWithXoffIsWaitedFor) {
  Attach("xoff=3000", 19200);
  FillRange(0, 0, 20);
  EXPECT_TRUE(ProgramHandControl());
  EXPECT_TRUE(FlashMatchesImage());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(LinkTest, SilentEraseAndSilentPageSelectAreReportedAsNoResponse) {
  Attach("silent");
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"No response from HC"});
  EXPECT_EQ(sim->NowMs(), 20000 + 100 + 100);
  EXPECT_EQ(Commands(), std::vector<std::string>{kErase});

  Attach(hcsim::Faults{});
  host = ScriptedHost();
  host.onBreathe = [this] {
    if (Commands().size() == 1) sim->Device().GetFaults().silent = true;
  };
  const int64_t start = sim->NowMs();
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"No response from HC"});
  EXPECT_EQ(Count("@@101XXXXXX"), 3);
  EXPECT_GE(sim->NowMs() - start, 3 * 5200);
  EXPECT_LT(sim->NowMs() - start, 3 * 5200 + 2000);
}

class CancelTest : public LinkTest {
 protected:
  // Presses the cancel button while the first run's data are on their way.
  void PressCancelDuringFirstRun() {
    FillRange(0, 10, 19);
    FillRange(0, 21, 25);
    host.onBreathe = [this] {
      if (Count("@@2") == 1 && !pressed_) {
        pressed_ = true;
        OperationScope::RequestCancel();
      }
    };
    host.onMessage = [this](const ScriptedHost::Shown& m) {
      if (m.buttons == MsgButtons::YesNo && askedAtMs_ < 0) askedAtMs_ = sim->NowMs();
    };
  }
  bool pressed_ = false;
  int64_t askedAtMs_ = -1;
};

const std::string kCancelQuestion =
    std::string("Cancelling Programming at this stage would leave the device in Program mode") +
    "\r\nmaking the firmware unusable until reprogrammed!\r\n\r\n" +
    "Are you sure you want to Cancel Programming?";

TEST_F(CancelTest, ConfirmedCancelStopsAfterTheRunIsAcknowledged) {
  Attach("delay=3000:2");
  PressCancelDuringFirstRun();
  host.Script({MsgAnswer::Yes});
  OperationScope run(Operation::Programming);
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_EQ(host.Texts(),
            (std::vector<std::string>{kCancelQuestion, "Programming cancelled by user"}));
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(host.messages[1].icon, MsgIcon::Warning);
  EXPECT_EQ(Count("@@2"), 1);
  // The question waited for the acknowledgement, which comes 3 s after the run's data.
  EXPECT_GE(askedAtMs_, 3000);
  EXPECT_EQ(sim->Device().NextOutputDue(), hcsim::kNever);
}

TEST_F(CancelTest, DeclinedCancelRestoresTheButtonAndCarriesOn) {
  PressCancelDuringFirstRun();
  host.Script({MsgAnswer::No});
  OperationScope run(Operation::Programming);
  EXPECT_TRUE(ProgramHandControl());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{kCancelQuestion});
  EXPECT_EQ(host.cancelRestored, 1);
  EXPECT_FALSE(gCancelProgramming);
  EXPECT_TRUE(FlashMatchesImage());
}

TEST_F(LinkTest, CancelBetweenRangesIsCheckedBeforeTheUpperPageCommand) {
  host.onBreathe = [this] {
    if (Count("@@101") == 1) OperationScope::RequestCancel();
  };
  host.Script({MsgAnswer::Yes});
  OperationScope run(Operation::Programming);
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_EQ(Count("@@100"), 0);
}

TEST_F(LinkTest, ACancelPressedLateInTheRunIsStillAnswered) {
  FillRange(0, 10, 19);
  // The last run ends with the range: no further run is looked for after it.
  FillRange(1, 509, 511);
  const std::string lastRun = WriteCommand(0xFD00, 3);
  struct Case {
    const char* when;
    std::function<bool()> now;
    MsgAnswer answer;
    std::vector<std::string> texts;
    bool result;
  } cases[] = {
      {"the last run of bank 1, confirmed",
       [&] { return Count(lastRun) == 1; },
       MsgAnswer::Yes,
       {kCancelQuestion, "Programming cancelled by user"},
       false},
      {"the last run of bank 1, declined",
       [&] { return Count(lastRun) == 1; },
       MsgAnswer::No,
       {kCancelQuestion},
       true},
      // Bank 0's 384 blocks and bank 1's three: the pass's last read is under way.
      {"the last block of the check",
       [&] { return Count("@@8") == 387; },
       MsgAnswer::Ok,
       {"Verify cancelled by user"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    Attach(hcsim::Faults{});
    host.messages.clear();
    host.cancelRestored = 0;
    bool pressed = false;
    host.onBreathe = [&] {
      if (!pressed && c.now()) {
        pressed = true;
        OperationScope::RequestCancel();
      }
    };
    if (c.answer != MsgAnswer::Ok) host.Script({c.answer});
    bool result = false;
    {
      OperationScope run(Operation::Programming);
      result = ProgramHandControl();
    }
    host.onBreathe = nullptr;
    EXPECT_TRUE(pressed);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(host.Texts(), c.texts);
  }
}

TEST_F(LinkTest, CheckPhaseFindingADifferenceMakesTheRunFail) {
  FillRange(0, 10, 19);
  struct Case {
    MsgAnswer answer;
    std::vector<std::string> texts;
  } cases[] = {
      {MsgAnswer::Yes, {"Found Difference at Bank: 0, Block: 12\r\n\r\nContinue?"}},
      {MsgAnswer::No,
       {"Found Difference at Bank: 0, Block: 12\r\n\r\nContinue?", "Verify Cancelled by User"}},
  };
  for (const auto& c : cases) {
    Attach("corrupt=0:12");
    host = ScriptedHost();
    host.Script({c.answer});
    EXPECT_FALSE(ProgramHandControl());
    EXPECT_EQ(host.Texts(), c.texts);
    ASSERT_FALSE(host.labels.empty());
    EXPECT_TRUE(std::none_of(host.labels.begin(), host.labels.end(), [](const std::string& l) {
      return l.starts_with("Programming Complete");
    }));
  }
}

TEST_F(LinkTest, CheckPhaseThatCannotReadMakesTheRunFail) {
  // Block 0 has been answered before the device falls silent; block 1 then cannot be read.
  host.onBreathe = [this] {
    if (Count("@@8") == 1) sim->Device().GetFaults().silent = true;
  };
  host.Script({MsgAnswer::Cancel});
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Error Verifying Data at Bank: 0, Block: 1",
                                                    "Verify Cancelled by User"}));
}

TEST_F(LinkTest, UnpluggedWhileWritingEndsWithOneClearMessage) {
  FillRange(0, 0, 255);
  Attach("disconnect=20000");
  EXPECT_FALSE(ProgramHandControl());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("lost"), std::string::npos);
  EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
  // Erase time plus the data: no wait for a reply that cannot come.
  EXPECT_LT(sim->NowMs(), 2000);
}

TEST_F(LinkTest, ProgressFollowsTheFileOffsetAndRoundsHalvesToEven) {
  FillRange(0, 32, 32);  // offset 8192: 3.125 %
  Fill(0, 160);          // offset 40960: 15.625 %
  EXPECT_TRUE(ProgramHandControl());
  const auto& labels = host.labels;
  EXPECT_EQ(labels.front(), "Erasing Flash Memory ... please wait (9 secs) : 0%");
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Programming Hand Control : 3%"), labels.end());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Programming Hand Control : 16%"),
            labels.end());
  ShowProgress(LinkPhase::Verifying, 32768);  // 12.5 % shows as 12
  EXPECT_EQ(host.labels.back(), "Verifying Hand Control : 12%");
  EXPECT_DOUBLE_EQ(host.fractions.back(), 0.125);
  const size_t shown = host.labels.size();
  ShowProgress(LinkPhase::Verifying, 32768 - 256);  // still 12 %: no repaint
  EXPECT_EQ(host.labels.size(), shown);
}
