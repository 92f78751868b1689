// Fast and full verification against the device's flash.
#include <numeric>

#include "LinkFixture.h"
#include "programmer/OperationScope.h"

namespace {

const std::string kDifference12 = "Found Difference at Bank: 0, Block: 12\r\n\r\nContinue?";

std::string BlockHex(const uint8_t* data) {
  std::string text;
  for (int i = 0; i < kBlockSize; ++i) text += HexPad(data[i], 2);
  return text;
}

}  // namespace

class VerifyTest : public LinkTest {
 protected:
  // Programs the image, then forgets what that showed and sent.
  void Program(const std::string& faultSpec = "") {
    if (!faultSpec.empty()) Attach(faultSpec);
    host = ScriptedHost();
    ASSERT_TRUE(ProgramHandControl());
    host = ScriptedHost();
    commandsBefore_ = Commands().size();
  }
  std::vector<std::string> NewCommands() const {
    return {Commands().begin() + static_cast<std::ptrdiff_t>(commandsBefore_), Commands().end()};
  }
  size_t commandsBefore_ = 0;
};

TEST_F(VerifyTest, ExchangedBytesPassTheFastCheckAndFailTheFullOne) {
  FillRange(0, 10, 19);
  gImage[ImageOffset(0, 12, 0)] = 0x12;
  gImage[ImageOffset(0, 12, 1)] = 0x34;
  Program("swap=0:12");
  EXPECT_TRUE(FastVerify());
  EXPECT_TRUE(host.messages.empty());

  CapturedLog log;
  host.Script({MsgAnswer::Yes});
  EXPECT_FALSE(FullVerify());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{kDifference12});
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(host.labels.back(), "Verifying Hand Control : 100%");

  uint8_t device[kBlockSize];
  std::copy_n(gImage.begin() + ImageOffset(0, 12), kBlockSize, device);
  std::swap(device[0], device[1]);
  const auto lines = log.Messages();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "File: " + BlockHex(gImage.data() + ImageOffset(0, 12)));
  EXPECT_EQ(lines[1], "HC:   " + BlockHex(device));
  EXPECT_EQ(lines[0].size(), 6u + 512u);
  EXPECT_TRUE(lines[1].starts_with("HC:   3412"));
}

TEST_F(VerifyTest, BothChecksCoverTheSameBlocksOfABlankImage) {
  Program();
  struct Case {
    const char* name;
    bool (*check)();
    const char* read;
  } cases[] = {{"fast", FastVerify, "@@8"}, {"full", FullVerify, "@@6"}};
  for (const auto& c : cases) {
    commandsBefore_ = Commands().size();
    EXPECT_TRUE(c.check()) << c.name;
    const auto sent = NewCommands();
    EXPECT_EQ(sent.size(), 384u + 2u) << c.name;
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [&](const std::string& s) { return s.starts_with(c.read); }),
              384)
        << c.name;
    EXPECT_EQ(sent.front(), "@@101XXXXXX") << c.name;
    EXPECT_EQ(sent[257], "@@100XXXXXX") << c.name;
    EXPECT_EQ(sent.back(), std::string(c.read) + "FF0001XX") << c.name;
  }
}

TEST_F(VerifyTest, LowerCaseRepliesMatchTheImage) {
  FillRange(0, 0, 30);
  FillRange(1, 100, 110);
  Program("lowercase");
  EXPECT_TRUE(FastVerify());
  EXPECT_TRUE(FullVerify());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(VerifyTest, ADifferenceTheSumSeesIsFoundByBothChecks) {
  FillRange(0, 10, 19);
  struct Case {
    const char* name;
    bool (*check)();
  } cases[] = {{"fast", FastVerify}, {"full", FullVerify}};
  Program();
  sim->Device().GetFaults().corrupt = {{0, 12}};
  for (const auto& c : cases) {
    host = ScriptedHost();
    host.Script({MsgAnswer::No});
    EXPECT_FALSE(c.check()) << c.name;
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{kDifference12, "Verify Cancelled by User"}))
        << c.name;
    EXPECT_NE(host.labels.back(), "Verifying Hand Control : 100%") << c.name;
  }
}

TEST_F(VerifyTest, ContinuingPastEveryDifferenceRunsToTheEndAndStillFails) {
  FillRange(0, 10, 19);
  Program();
  sim->Device().GetFaults().corrupt = {{0, 11}, {0, 15}, {0, 400}};
  host.Script({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
  EXPECT_FALSE(FastVerify());
  EXPECT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(host.messages[2].text, "Found Difference at Bank: 0, Block: 400\r\n\r\nContinue?");
  EXPECT_EQ(host.labels.back(), "Verifying Hand Control : 100%");
  EXPECT_EQ(host.unexpected, 0);
}

TEST_F(VerifyTest, CancelButtonStopsBeforeTheNextBlock) {
  Program();
  host.onBreathe = [this] {
    if (Count("@@6") == 5) OperationScope::RequestCancel();
  };
  OperationScope run(Operation::Verifying);
  EXPECT_FALSE(FullVerify());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Verify cancelled by user"});
  EXPECT_EQ(Count("@@6"), 5);
  EXPECT_NE(host.labels.back(), "Verifying Hand Control : 100%");

  OperationScope::RequestCancel();  // the fast check leaves clearing the flag to the page
  host = ScriptedHost();
  EXPECT_FALSE(FastVerify());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Verify cancelled by user"});
}

TEST_F(VerifyTest, RetrySelectsThePageAgainOnlyForTheFirstBlockOfARange) {
  struct Case {
    int failingRead;  // which read command (from 1) meets a silent device
    std::vector<std::string> expected;
    const char* question;
  } cases[] = {
      {1,
       {"@@101XXXXXX", "@@6000001XX", "@@6000001XX", "@@6000001XX", "@@101XXXXXX", "@@6000001XX",
        "@@6010001XX"},
       "Error Verifying Data at Bank: 0, Block: 0"},
      {2,
       {"@@101XXXXXX", "@@6000001XX", "@@6010001XX", "@@6010001XX", "@@6010001XX", "@@6010001XX",
        "@@6020001XX"},
       "Error Verifying Data at Bank: 0, Block: 1"},
  };
  for (const auto& c : cases) {
    Program();
    bool recovered = false;
    host.onBreathe = [&] {
      // Replies already on their way still arrive; the next read finds the device silent.
      const auto sent = NewCommands();
      const auto reads = std::count_if(sent.begin(), sent.end(),
                                       [](const std::string& s) { return s.starts_with("@@6"); });
      if (!recovered && !sent.empty() && reads == c.failingRead - 1) {
        sim->Device().GetFaults().silent = true;
      }
    };
    host.onMessage = [&](const ScriptedHost::Shown&) {
      recovered = true;
      sim->Device().GetFaults().silent = false;
    };
    host.Script({MsgAnswer::Retry});
    EXPECT_TRUE(FullVerify());
    const auto sent = NewCommands();
    ASSERT_GE(sent.size(), c.expected.size());
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + c.expected.size()), c.expected)
        << c.question;
    EXPECT_EQ(host.Texts(), std::vector<std::string>{c.question});
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::RetryCancel);
  }
}

TEST_F(VerifyTest, UnpluggedDuringACheckEndsWithoutRetryQuestions) {
  Program();
  sim->UnplugAt(sim->NowMs() + 100);  // a blank check takes about 390 ms here
  EXPECT_FALSE(FullVerify());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
  EXPECT_NE(host.messages[0].text.find("lost"), std::string::npos);
}

TEST_F(VerifyTest, BlocksReadBackAsProgrammedUntilNoiseSpoilsTheReply) {
  FillRange(0, 0, 0);
  Program();
  uint8_t data[kBlockSize];
  int16_t sum = 0;
  EXPECT_TRUE(ReadBlock(0, data, true));
  EXPECT_TRUE(std::equal(data, data + kBlockSize, gImage.begin()));
  EXPECT_TRUE(ReadBlockChecksum(0, sum, false));
  EXPECT_EQ(sum, 0xFF & std::accumulate(gImage.begin(), gImage.begin() + kBlockSize, 0));
  // A stray character before every reply makes it too long on each of the three tries.
  sim->Device().GetFaults().noise = 1000;
  const int reads = Count("@@8");
  EXPECT_FALSE(ReadBlockChecksum(0, sum, false));
  EXPECT_EQ(Count("@@8") - reads, 3);
}
