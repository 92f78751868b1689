// The simulator's USB adapter on made-up time: packets of at most 62 bytes, sent when full or
// when the latency timer runs out.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../../tools/hcsim/PacedLine.h"
#include "../../tools/hcsim/UsbAdapter.h"

namespace {

using Packets = std::vector<std::pair<int64_t, std::string>>;

Packets Released(hcsim::UsbAdapter& adapter, int64_t nowUs) {
  Packets got;
  adapter.Release(nowUs,
                  [&](const std::string& bytes, int64_t at) { got.emplace_back(at, bytes); });
  return got;
}

// A reply of size bytes ("#" last) put on a line at baud at time 0, through a 16 ms adapter.
struct Through {
  Packets packets;
  int64_t hashUs = 0;  // when the "#" finished crossing the line
};
Through ReplyThrough(int baud, size_t size) {
  hcsim::PacedLine line(baud);
  hcsim::UsbAdapter adapter(16000, 0);
  line.Push(std::string(size - 1, 'F') + "#", 0);
  Through out;
  for (int64_t now = 0; now < 2'000'000; now += 100) {
    line.Deliver(now, [&](char c, int64_t at) {
      adapter.Arrive(c, at);
      if (c == '#') out.hashUs = at;
    });
    for (auto& packet : Released(adapter, now)) out.packets.push_back(std::move(packet));
  }
  return out;
}

TEST(UsbAdapter, HeldBytesLeaveWhenTheTimerRunsOut) {
  struct Case {
    const char* name;
    std::vector<int64_t> arrivals;
    Packets expected;
  };
  const Case cases[] = {
      {"a byte at 5 ms goes out at 16 ms", {5000}, {{16000, "x"}}},
      {"bytes at 7.3, 7.8 and 8.3 ms go out together", {7300, 7800, 8300}, {{16000, "xxx"}}},
      {"idle periods keep the timer's grid", {5000, 40000}, {{16000, "x"}, {48000, "x"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hcsim::UsbAdapter adapter(16000, 0);
    for (int64_t at : c.arrivals) adapter.Arrive('x', at);
    EXPECT_EQ(Released(adapter, 15999), Packets{}) << "nothing leaves early";
    Packets got;
    for (int64_t now = 0; now <= 100000; now += 1000) {
      for (auto& packet : Released(adapter, now)) got.push_back(std::move(packet));
    }
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(adapter.NextReleaseUs(), hcsim::kNeverUs) << "an idle adapter wakes nobody";
  }
}

TEST(UsbAdapter, ABlockReplyComesInChunksOfThePeriodAndTheLastSoonAfterItsHash) {
  const Through slow = ReplyThrough(19200, 513);
  ASSERT_GE(slow.packets.size(), 2u);
  size_t bytes = 0;
  for (size_t i = 0; i < slow.packets.size(); ++i) {
    const size_t size = slow.packets[i].second.size();
    bytes += size;
    if (i + 1 < slow.packets.size()) {
      EXPECT_GE(size, 30u) << "packet " << i;
      EXPECT_LE(size, 31u) << "packet " << i;
    }
  }
  EXPECT_EQ(bytes, 513u);
  EXPECT_LE(slow.packets.back().first - slow.hashUs, 16000);

  // At 115200 baud 62 bytes arrive within the period: a full packet leaves with the 62nd.
  const Through fast = ReplyThrough(115200, 513);
  ASSERT_FALSE(fast.packets.empty());
  EXPECT_EQ(fast.packets[0].second.size(), hcsim::UsbAdapter::kPacketBytes);
  EXPECT_EQ(fast.packets[0].first, 62 * 87);
}

}  // namespace
