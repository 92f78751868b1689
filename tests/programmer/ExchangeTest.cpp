// The command exchange: reply framing, deadlines, tries, and a port that goes away.
#include <algorithm>
#include <deque>
#include <iterator>

#include "LinkFixture.h"

namespace {

// A device that answers each command with a canned byte string, at once.
class CannedPort : public ISerialPort {
 public:
  std::deque<std::string> answers;
  std::vector<std::string> written;
  void SetDevice(const std::string&) override {}
  bool Open() override { return open = true; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  int BytesWaiting() override { return static_cast<int>(pending.size()); }
  int ReadByte() override {
    if (pending.empty()) return -1;
    const int byte = static_cast<unsigned char>(pending.front());
    pending.erase(0, 1);
    return byte;
  }
  bool Write(const std::string& bytes) override {
    written.push_back(bytes);
    if (!answers.empty()) {
      pending += answers.front();
      answers.pop_front();
    }
    return open;
  }
  bool WaitForData(int) override { return !pending.empty(); }
  std::string LastError() const override { return {}; }
  bool open = true;
  std::string pending;
};

class StepClock : public IClock {
 public:
  uint32_t TickCount() override { return now += step; }  // time passes while we look at it
  void Sleep(int ms) override { now += ms; }
  uint32_t now = 0;
  uint32_t step = 10;
};

}  // namespace

TEST(HexPadTest, KeepsTheRightmostDigitsInUpperCase) {
  struct Case {
    uint32_t value;
    int width;
    const char* text;
  } cases[] = {{1, 2, "01"},   {0x2A, 4, "002A"},   {256, 2, "00"},         {0xABCDEF, 4, "CDEF"},
               {0, 4, "0000"}, {0xFFFF, 4, "FFFF"}, {0x12345, 6, "012345"}, {3, 1, "3"}};
  for (const auto& c : cases) EXPECT_EQ(HexPad(c.value, c.width), c.text) << c.value;
}

TEST(ReplyFramingTest, AcceptsOnlyRepliesOfTheExpectedLength) {
  struct Case {
    const char* name;
    std::string answer;
    int expected;
    bool ok;
  } cases[] = {
      {"empty reply for length 0", "#", 0, true},
      {"one character before # for length 0", "A#", 0, false},
      {"95 characters for the query", std::string(95, 'Q') + "#", 95, true},
      {"94 characters for the query", std::string(94, 'Q') + "#", 95, false},
      {"96 characters for the query", std::string(96, 'Q') + "#", 95, false},
      {"two checksum digits", "3f#", 2, true},
  };
  for (const auto& c : cases) {
    CannedPort port;
    StepClock clock;
    ScriptedHost host;
    SetLinkServices(&port, &clock, &host);
    port.answers = {c.answer};
    std::string reply;
    EXPECT_EQ(SendCommand("@@3XXXXXXXX", c.expected, 2000, 1, reply), c.ok) << c.name;
    EXPECT_EQ(port.written.size(), 1u) << c.name << ": one try means one command";
    if (c.ok) {
      EXPECT_EQ(reply, c.answer.substr(0, c.answer.size() - 1)) << c.name;
    }
  }
  SetLinkServices(nullptr, nullptr, nullptr);
}

TEST(ReplyFramingTest, LateBytesAreDiscardedBeforeTheNextTry) {
  CannedPort port;
  StepClock clock;
  ScriptedHost host;
  SetLinkServices(&port, &clock, &host);
  // The first answer is wrong; the stale tail sitting in the buffer must not spoil try 2.
  port.answers = {"X#junk", "#"};
  std::string reply;
  EXPECT_TRUE(SendCommand("@@101XXXXXX", 0, 5000, 3, reply));
  EXPECT_EQ(port.written.size(), 2u);
  EXPECT_EQ(port.written[1], "@@101XXXXXX");
  SetLinkServices(nullptr, nullptr, nullptr);
}

TEST(ReplyFramingTest, ReadBackRepliesMustBeHexDigitsThroughout) {
  // Right length, so only the digit check stands between a garbled reply and a wrong verdict.
  struct Case {
    const char* name;
    std::string answer;
    bool ok;
    int value;  // checksum read, or first byte of a block read
  };
  const std::string block = "3f" + std::string(508, 'A') + "0b";
  const Case sums[] = {
      {"upper-case digits", "C4#", true, 0xC4},       {"lower-case digits", "3f#", true, 0x3F},
      {"letter past F first", "G1#", false, 0},       {"letter past f last", "1g#", false, 0},
      {"blank in place of a digit", " 1#", false, 0}, {"sign", "-1#", false, 0},
  };
  const Case blocks[] = {
      {"whole block in hex", block + "#", true, 0x3F},
      {"stray character in the last byte", block.substr(0, 511) + "Z#", false, 0},
      {"stray character in the first byte", "x" + block.substr(1) + "#", false, 0},
  };
  StepClock clock;
  clock.step = 1;  // a block reply is 513 looks at the clock, well inside its 3 s
  ScriptedHost host;
  for (const auto& c : sums) {
    CannedPort port;
    SetLinkServices(&port, &clock, &host);
    port.answers = {c.answer};
    int16_t sum = -1;
    EXPECT_EQ(ReadBlockChecksum(0x1200, sum, false), c.ok) << c.name;
    EXPECT_EQ(port.written, std::vector<std::string>{"@@8120001XX"}) << c.name;
    EXPECT_EQ(sum, c.ok ? c.value : -1) << c.name << ": a failed read leaves the value alone";
  }
  for (const auto& c : blocks) {
    CannedPort port;
    SetLinkServices(&port, &clock, &host);
    port.answers = {c.answer};
    uint8_t data[kBlockSize];
    std::fill(std::begin(data), std::end(data), 0x55);
    EXPECT_EQ(ReadBlock(0x1200, data, false), c.ok) << c.name;
    EXPECT_EQ(port.written, std::vector<std::string>{"@@6120001XX"}) << c.name;
    EXPECT_EQ(data[0], c.ok ? c.value : 0x55) << c.name << ": a failed read leaves the data alone";
    if (c.ok) {
      EXPECT_EQ(data[1], 0xAA) << c.name;
      EXPECT_EQ(data[kBlockSize - 1], 0x0B) << c.name;
    }
  }
  EXPECT_TRUE(host.messages.empty());
  SetLinkServices(nullptr, nullptr, nullptr);
}

TEST_F(LinkTest, PresenceTestCountsOnlyAnAnswerWithinOneSecond) {
  struct Case {
    const char* fault;
    bool present;
  } cases[] = {{"delay=0", true},
               {"delay=900", true},
               {"delay=1200", false},
               {"silent", false},
               {"noise", false}};
  for (const auto& c : cases) {
    Attach(c.fault);
    EXPECT_EQ(PingHandControl(), c.present) << c.fault;
    EXPECT_EQ(Commands(), std::vector<std::string>{"@@100XXXXXX"}) << c.fault;
  }
}

TEST_F(LinkTest, TriesAndPausesAddUpToTheDocumentedTime) {
  Attach("silent");
  std::string reply;
  const int64_t start = sim->NowMs();
  EXPECT_FALSE(SendCommand("@@101XXXXXX", 0, 5000, 3, reply));
  EXPECT_EQ(sim->NowMs() - start, 3 * (5000 + 100 + 100));
  EXPECT_EQ(Count("@@101XXXXXX"), 3);
}

TEST_F(LinkTest, WaitingBlocksInsteadOfPolling) {
  Attach("silent");
  const int breathsBefore = host.breaths;
  EXPECT_FALSE(PingHandControl());
  // A poll loop would come round thousands of times in a second; a blocking wait a few times.
  EXPECT_LE(sim->Waits(), 3);
  EXPECT_LE(host.breaths - breathsBefore, 6);
}

TEST_F(LinkTest, DeadlineSurvivesTheTickCounterWrapping) {
  sim->SetTickOffset(0xFFFFFFFFu - 400);
  EXPECT_TRUE(PingHandControl());
  Attach("delay=900");
  sim->SetTickOffset(0xFFFFFFFFu - 400);
  EXPECT_TRUE(PingHandControl());
  Attach("silent");
  sim->SetTickOffset(0xFFFFFFFFu - 400);
  const int64_t start = sim->NowMs();
  EXPECT_FALSE(PingHandControl());
  EXPECT_EQ(sim->NowMs() - start, 1000 + 100 + 100);
}

TEST_F(LinkTest, CommandWithoutReplySucceedsWhenNothingAnswersButNotOnAClosedPort) {
  Attach("silent");
  std::string reply;
  EXPECT_TRUE(SendCommand("@@2000001XX", -1, 5000, 1, reply));
  EXPECT_EQ(sim->NowMs(), 0);
  sim->Close();
  EXPECT_FALSE(SendCommand("@@2000001XX", -1, 5000, 1, reply));
}

TEST_F(LinkTest, AClosedPortEndsAWaitAtOnce) {
  Attach("silent");
  std::string reply;
  sim->Unplug();
  EXPECT_FALSE(ReadReply(5000, reply));
  EXPECT_FALSE(SendCommand("@@101XXXXXX", 0, 5000, 3, reply));
  EXPECT_EQ(sim->NowMs(), 0);
}

TEST_F(LinkTest, UnpluggedDuringAWaitEndsTheWait) {
  Attach("silent");
  sim->UnplugAt(300);
  std::string reply;
  EXPECT_FALSE(SendCommand("@@101XXXXXX", 0, 5000, 3, reply));
  EXPECT_EQ(sim->NowMs(), 300);
  EXPECT_EQ(Count("@@101"), 1);
}

TEST_F(LinkTest, NoServicesInstalledFailsQuietly) {
  SetLinkServices(nullptr, nullptr, nullptr);
  std::string reply;
  EXPECT_FALSE(PingHandControl());
  EXPECT_FALSE(SendCommand("@@2000001XX", -1, 5000, 1, reply));
  CloseComPort();
  EXPECT_FALSE(LinkPort().IsOpen());
}
