// A recorded session played back: replies follow what the host sent, and the first difference
// ends the replay naming the command.
#include <gtest/gtest.h>

#include "Replay.h"
#include "base/SerialTrace.h"

using hcsim::ReplayDevice;

namespace {

std::string Line(SerialTrace::Direction direction, const std::string& bytes, int64_t ms) {
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += SerialTrace::kBytesPerLine)
    text += SerialTrace::Line(direction, std::string_view(bytes).substr(at, 16), ms * 1000);
  return text;
}
std::string Host(const std::string& bytes, int64_t ms) {
  return Line(SerialTrace::Direction::ToDevice, bytes, ms);
}
std::string Device(const std::string& bytes, int64_t ms) {
  return Line(SerialTrace::Direction::ToHost, bytes, ms);
}

// Ping, a write of one block with its data, a checksum query.
std::string Session() {
  return "# serial trace written by padflasher-cli 1.0.2\n" + Host("@@100XXXXXX", 1000) +
         Device("#", 1002) + Host("@@2000001XX", 1010) + Host(std::string(256, 'A'), 1011) +
         Device("#", 1150) + Host("@@8000001XX", 1200) + Device("C1#", 1205);
}

std::string Feed(ReplayDevice& replay, const std::string& bytes, int64_t nowMs) {
  replay.Receive(bytes, nowMs);
  std::string out;
  for (int64_t due = replay.NextOutputDue(); due != hcsim::kNever && due <= nowMs + 10000;
       due = replay.NextOutputDue())
    out += replay.TakeOutput(due);
  return out;
}

TEST(Replay, RepliesFollowWhatTheHostSent) {
  ReplayDevice replay;
  std::string error;
  ASSERT_TRUE(replay.Load(Session(), error)) << error;
  EXPECT_EQ(Feed(replay, "@@100XXXXX", 0), "") << "nothing before the command is whole";
  EXPECT_EQ(Feed(replay, "X", 1), "#");
  EXPECT_EQ(Feed(replay, "@@2000001XX" + std::string(255, 'A'), 2), "");
  EXPECT_EQ(Feed(replay, "A", 3), "#");
  EXPECT_EQ(Feed(replay, "@@8000001XX", 4), "C1#");
  EXPECT_TRUE(replay.Finished());
  EXPECT_FALSE(replay.Disconnected());
}

TEST(Replay, RecordedTimingWaitsAsTheTraceDid) {
  ReplayDevice replay;
  std::string error;
  ASSERT_TRUE(replay.Load(Session(), error)) << error;
  replay.UseRecordedTiming(true);
  replay.Receive("@@100XXXXXX", 50);
  EXPECT_EQ(replay.NextOutputDue(), 52);
  replay.Receive("@@2000001XX" + std::string(256, 'A'), 60);
  EXPECT_EQ(replay.TakeOutput(60), "#") << "the ping's reply";
  EXPECT_EQ(replay.TakeOutput(60 + 138), "") << "the write's reply came 139 ms after its data";
  EXPECT_EQ(replay.TakeOutput(60 + 139), "#");
}

TEST(Replay, TheFirstDifferenceEndsTheReplayNamingTheCommand) {
  const struct {
    const char* what;
    std::string sent;
    std::string difference;
  } cases[] = {
      {"another command", "@@100XXXXXX@@2000002XX",
       "command 2 was @@2000002XX, the trace has @@2000001XX"},
      {"other data", "@@100XXXXXX@@2000001XX" + std::string(100, 'A') + "B" + std::string(155, 'A'),
       "the data of command 2 differ from the trace at byte 100"},
      {"past the end", "@@100XXXXXX@@2000001XX" + std::string(256, 'A') + "@@8000001XX@@3XXXXXXXX",
       "command 4 was @@3XXXXXXXX, the trace ends before it"},
      {"control characters shown escaped", "@@1\x1b[2JXXXX",
       "command 1 was @@1\\x1B[2JXXXX, the trace has @@100XXXXXX"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReplayDevice replay;
    std::string error;
    ASSERT_TRUE(replay.Load(Session(), error)) << error;
    Feed(replay, c.sent, 0);
    EXPECT_TRUE(replay.Disconnected());
    EXPECT_EQ(replay.Difference(), c.difference);
  }
  // A command cut short is reported once the host has gone quiet.
  ReplayDevice replay;
  std::string error;
  ASSERT_TRUE(replay.Load(Session(), error)) << error;
  replay.Receive("@@9", 7);
  EXPECT_FALSE(replay.Disconnected());
  EXPECT_EQ(replay.NextOutputDue(), 7 + ReplayDevice::kReportAfterMs);
  replay.TakeOutput(7 + ReplayDevice::kReportAfterMs);
  EXPECT_EQ(replay.Difference(), "command 1 was @@9, the trace has @@100XXXXXX");
}

TEST(Replay, ATraceThatIsNotOneIsRefusedWithTheLine) {
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"", "nothing the host sent"},
      {"# only a comment\n" + Device("#", 1), "nothing the host sent"},
      {Host("@@100XXXXXX", 1) + "1796823681.17 > 40 40  |@@|\n", "line 2"},
      {Host("@@100XXXXXX", 1) + "1796823681.174873 > 4G  |@|\n", "line 2"},
  };
  for (const auto& c : cases) {
    ReplayDevice replay;
    std::string error;
    EXPECT_FALSE(replay.Load(c.text, error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

}  // namespace
