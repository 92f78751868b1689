// How long a write is held so that at most one transmit buffer of line time is outstanding, and
// how a port waits for a reply, on made-up time.
#include <gtest/gtest.h>

#include "programmer/LinePace.h"

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

// A checksum reply "3F#" after an 11-byte command at 19200 baud: the command leaves by 5729 us,
// the reply can be complete at 7291 us.
TEST(ReplyPacer, RestsOnlyWhereTheLineMustStillCarryTheReply) {
  struct Step {
    size_t received;
    int64_t atUs;
    bool rest;
    int64_t untilUs;  // for a rest
  };
  struct Case {
    const char* name;
    int baud;
    LinePace pace;
    size_t total;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a device known to keep the rate is rested for until its reply is due",
       19200,
       LinePace::kKept,
       3,
       {{0, 100, true, 7391}}},
      {"an unknown device is waited for, not rested for",
       19200,
       LinePace::kUnknown,
       3,
       {{0, 100, false, 0}}},
      {"a faster device is never rested for",
       19200,
       LinePace::kFaster,
       516,
       {{0, 100, false, 0}, {100, 9000, false, 0}}},
      {"an ideal line has nothing to rest for", 0, LinePace::kKept, 516, {{100, 9000, false, 0}}},
      {"a late reply is waited for", 19200, LinePace::kKept, 3, {{0, 7500, false, 0}}},
      {"a begun block reply rests for the line time of its rest",
       19200,
       LinePace::kUnknown,
       513,
       {{13, 20000, true, 20000 + 260416 + 100}}},
      {"a reply still incomplete when its rest ends is overdue: each next byte is waited for",
       19200,
       LinePace::kUnknown,
       513,
       {{13, 20000, true, 280516}, {400, 280516, false, 0}, {450, 290000, false, 0}}},
      {"a rest cut short by a signal goes on to its end",
       19200,
       LinePace::kUnknown,
       513,
       {{13, 20000, true, 280516}, {13, 90000, true, 280516}}},
      {"part of a reply found after resting before it is overdue",
       19200,
       LinePace::kKept,
       516,
       {{0, 100, true, 274579}, {500, 274579, false, 0}}},
      {"only the # missing: its byte is waited for",
       19200,
       LinePace::kKept,
       513,
       {{512, 280000, false, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LineBacklog line(c.baud);
    line.Add(11, 0);
    ReplyPacer pacer;
    pacer.Start(c.total, line.ReplyDueUs(c.total));
    for (const Step& step : c.steps) {
      const ReplyPacer::Wait wait = pacer.Next(step.received, step.atUs, line, c.pace);
      EXPECT_EQ(wait.rest, step.rest) << "at " << step.atUs << " us";
      if (step.rest) {
        EXPECT_EQ(wait.untilUs, step.untilUs) << "at " << step.atUs << " us";
      }
    }
  }
}

TEST(ReplyPacer, ACompleteReplyShowsWhetherTheDeviceKeepsTheRate) {
  LineBacklog line(19200);
  line.Add(11, 0);
  ReplyPacer pacer;
  pacer.Start(3, line.ReplyDueUs(3));  // due at 7291 us
  EXPECT_EQ(pacer.PaceOfComplete(1000, line), LinePace::kFaster);
  EXPECT_EQ(pacer.PaceOfComplete(6800, line), LinePace::kKept);  // within a byte of it
  EXPECT_EQ(pacer.PaceOfComplete(9000, line), LinePace::kKept);
  LineBacklog ideal(0);
  pacer.Start(3, ideal.ReplyDueUs(3));
  EXPECT_EQ(pacer.PaceOfComplete(1000, ideal), LinePace::kUnknown);
}

}  // namespace
