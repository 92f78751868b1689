// The simulator's serial line timing, on made-up time: 8N1 takes 10 bit times per byte.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../../tools/hcsim/PacedLine.h"

namespace {

using Arrivals = std::vector<std::pair<char, int64_t>>;

Arrivals TakeArrived(hcsim::PacedLine& line, int64_t nowUs) {
  Arrivals got;
  line.Deliver(nowUs, [&](char c, int64_t at) { got.emplace_back(c, at); });
  return got;
}

TEST(PacedLine, BytesFollowEachOtherAtTheLineRate) {
  const struct {
    int baud;
    int64_t byteUs;
  } cases[] = {{19200, 521}, {9600, 1042}, {115200, 87}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.baud);
    hcsim::PacedLine line(c.baud);
    line.Push("abc", 1000);
    EXPECT_EQ(line.NextArrivalUs(), 1000 + c.byteUs);
    EXPECT_TRUE(TakeArrived(line, 1000 + c.byteUs - 1).empty()) << "a byte came early";
    const Arrivals all = TakeArrived(line, 1000 + 3 * c.byteUs);
    EXPECT_EQ(
        all,
        (Arrivals{{'a', 1000 + c.byteUs}, {'b', 1000 + 2 * c.byteUs}, {'c', 1000 + 3 * c.byteUs}}));
    EXPECT_EQ(line.Pending(), 0u);
    EXPECT_EQ(line.NextArrivalUs(), hcsim::kNeverUs);
  }
}

TEST(PacedLine, AnIdleLineStartsAfreshAndABusyOneQueues) {
  hcsim::PacedLine line(19200);
  line.Push("a", 0);
  EXPECT_EQ(TakeArrived(line, 100000).size(), 1u);
  // Long idle: the next byte takes one byte time from when it is queued, not from the past.
  line.Push("b", 200000);
  EXPECT_EQ(line.NextArrivalUs(), 200521);
  // Queued behind a byte still on the wire: it waits for that one.
  line.Push("c", 200100);
  EXPECT_EQ(TakeArrived(line, 201042), (Arrivals{{'b', 200521}, {'c', 201042}}));
}

TEST(PacedLine, PauseHoldsBytesUntilResumed) {
  hcsim::PacedLine line(19200);
  line.Push("xyz", 0);
  EXPECT_EQ(TakeArrived(line, 521).size(), 1u);
  line.SetPaused(true, 600);
  EXPECT_EQ(line.NextArrivalUs(), hcsim::kNeverUs);
  EXPECT_TRUE(TakeArrived(line, 50000).empty());
  EXPECT_EQ(line.Pending(), 2u);
  // XON: the line starts again from the moment of the resume.
  line.SetPaused(false, 60000);
  EXPECT_EQ(TakeArrived(line, 70000), (Arrivals{{'y', 60521}, {'z', 61042}}));
}

TEST(PacedLine, BaudZeroDeliversAtOnceButKeepsOrder) {
  hcsim::PacedLine line(0);
  line.Push("12", 5);
  line.Push("3", 5);
  EXPECT_EQ(line.NextArrivalUs(), 5);
  EXPECT_EQ(TakeArrived(line, 5), (Arrivals{{'1', 5}, {'2', 5}, {'3', 5}}));
  line.SetPaused(true, 6);
  line.Push("4", 7);
  EXPECT_TRUE(TakeArrived(line, 8).empty());
  line.SetPaused(false, 9);
  EXPECT_EQ(TakeArrived(line, 9), (Arrivals{{'4', 9}}));
}

// A reply's last byte is taken when it arrives; a long stream is taken in batches.
TEST(PacedLine, WakesForTheLastByteExactlyAndBatchesLongStreams) {
  constexpr int64_t kBatch = 2000;
  struct Case {
    const char* name;
    int baud;
    const char* bytes;
    int64_t expectWakeUs;
  };
  const Case cases[] = {
      {"a single byte", 19200, "#", 521},
      {"a short reply ends before the batch would", 19200, "00#", 1563},
      {"a long stream wakes once per batch", 19200, "0123456789ABCDEF", kBatch},
      {"the first byte of a slow line arrives after the batch", 4800, "ab", 2083},
      {"an ideal line", 0, "xyz", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hcsim::PacedLine line(c.baud);
    EXPECT_EQ(line.WakeUs(0, kBatch), hcsim::kNeverUs);
    line.Push(c.bytes, 0);
    EXPECT_EQ(line.WakeUs(0, kBatch), c.expectWakeUs);
  }
  // Taking part of a stream leaves the rest for the next wake.
  hcsim::PacedLine line(19200);
  line.Push("0123456789", 0);
  EXPECT_EQ(TakeArrived(line, kBatch).size(), 3u);
  EXPECT_EQ(line.WakeUs(kBatch, kBatch), 2 * kBatch);
  EXPECT_EQ(TakeArrived(line, 2 * kBatch).size(), 4u);
  EXPECT_EQ(line.WakeUs(2 * kBatch, kBatch), 10 * 521);
  EXPECT_EQ(TakeArrived(line, 10 * 521).size(), 3u);
  line.SetPaused(true, 10 * 521);
  line.Push("z", 10 * 521);
  EXPECT_EQ(line.WakeUs(10 * 521, kBatch), hcsim::kNeverUs);
}

}  // namespace
