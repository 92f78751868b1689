// How long a write is held so that at most one transmit buffer of line time is outstanding,
// on made-up time.
#include <gtest/gtest.h>

#include "programmer/QtSerialPort.h"

namespace {

constexpr int64_t kSecond = 1'000'000;
// One transmit buffer at 19200 baud 8N1: 4096 bytes x 10 bits = 2.1333 s.
constexpr int64_t kBufferUs = 2'133'334;

TEST(LineBacklog, WritesAreHeldToTheLineRateBeyondOneTransmitBuffer) {
  struct Step {
    int64_t atUs;
    size_t bytes;
    int64_t expectWaitUs;  // after the write, measured at atUs
  };
  struct Case {
    const char* name;
    int baud;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a full buffer passes at once, one byte more waits one byte time",
       19200,
       {{0, 4096, 0}, {0, 1, 521}}},
      {"a 256-block run waits until all but a buffer has left",
       19200,
       {{0, 65536 + 12, 32 * kSecond + 6250}}},
      {"time spent elsewhere counts toward the wait",
       19200,
       {{0, 8192, kBufferUs}, {kSecond, 0, kBufferUs - kSecond}, {3 * kSecond, 0, 0}}},
      {"an idle line banks no credit", 19200, {{0, 10, 0}, {100 * kSecond, 8192, kBufferUs}}},
      {"writes queue behind what is still outstanding",
       19200,
       {{0, 4096, 0}, {kBufferUs, 4096, 0}, {kBufferUs, 1920, kSecond}}},
      {"a faster line drains sooner", 115200, {{0, 4096 + 11520, kSecond}}},
      {"an ideal line never waits", 0, {{0, 1 << 20, 0}, {0, 1 << 20, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LineBacklog backlog(c.baud);
    for (const Step& step : c.steps) {
      backlog.Add(step.bytes, step.atUs);
      EXPECT_EQ(backlog.WaitUs(step.atUs), step.expectWaitUs) << "at " << step.atUs << " us";
    }
  }
}

TEST(LineBacklog, AFreshOpenStartsWithAnIdleLine) {
  LineBacklog backlog(19200);
  backlog.Add(65536, 5 * kSecond);
  ASSERT_GT(backlog.WaitUs(5 * kSecond), 30 * kSecond);
  backlog.Reset();
  EXPECT_EQ(backlog.WaitUs(5 * kSecond), 0);
  backlog.Add(4097, 5 * kSecond);
  EXPECT_EQ(backlog.WaitUs(5 * kSecond), 521);
}

}  // namespace
