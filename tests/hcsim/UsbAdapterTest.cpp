// The USB adapter between the simulated line and the host, on virtual time: when the bytes of a
// reply reach the host decides what a real adapter costs each exchange.
#include <gtest/gtest.h>

#include "UsbAdapter.h"

using hcsim::UsbAdapter;

namespace {

constexpr int64_t kMs = 1000;

// Bytes arriving at the given times (us); the packets the host gets, as (time, size).
std::vector<std::pair<int64_t, size_t>> Packets(UsbAdapter& adapter,
                                                const std::vector<int64_t>& arrivals) {
  std::vector<std::pair<int64_t, size_t>> packets;
  auto take = [&](int64_t now) {
    for (const auto& packet : adapter.Take(now))
      packets.emplace_back(packet.atUs, packet.data.size());
  };
  for (const int64_t at : arrivals) {
    take(at - 1);
    adapter.Arrive('x', at);
  }
  while (adapter.NextReleaseUs() != UsbAdapter::kNoneUs) take(adapter.NextReleaseUs());
  return packets;
}

// A reply of n bytes at baud, its first byte at firstUs.
std::vector<int64_t> Reply(int n, int baud, int64_t firstUs) {
  std::vector<int64_t> times;
  const double byteUs = 10e6 / baud;
  for (int i = 0; i < n; ++i) times.push_back(firstUs + static_cast<int64_t>(i * byteUs));
  return times;
}

TEST(UsbAdapter, HeldBytesLeaveWhenTheLatencyTimerRunsOut) {
  UsbAdapter one(16 * kMs, 0);
  EXPECT_EQ(Packets(one, {5 * kMs}), (std::vector<std::pair<int64_t, size_t>>{{16 * kMs, 1}}));
  UsbAdapter three(16 * kMs, 0);
  EXPECT_EQ(Packets(three, {7300, 7800, 8300}),
            (std::vector<std::pair<int64_t, size_t>>{{16 * kMs, 3}}));
  // Status packets keep the timer on its grid while the line is idle.
  UsbAdapter later(16 * kMs, 0);
  EXPECT_EQ(Packets(later, {40 * kMs}), (std::vector<std::pair<int64_t, size_t>>{{48 * kMs, 1}}));
  EXPECT_EQ(later.NextReleaseUs(), UsbAdapter::kNoneUs) << "no wake-up while nothing is held";
}

TEST(UsbAdapter, ALongReplyAtTheHandControlsRateComesInTimerSizedChunks) {
  UsbAdapter adapter(16 * kMs, 0);
  const auto arrivals = Reply(513, 19200, 3 * kMs);
  const auto packets = Packets(adapter, arrivals);
  size_t total = 0;
  for (size_t i = 0; i < packets.size(); ++i) {
    total += packets[i].second;
    if (i > 0 && i + 1 < packets.size()) {
      EXPECT_GE(packets[i].second, 30u) << i;
      EXPECT_LE(packets[i].second, 31u) << i;
    }
  }
  EXPECT_EQ(total, 513u);
  EXPECT_LE(packets.back().first - arrivals.back(), 16 * kMs) << "the '#' within one timer";
}

TEST(UsbAdapter, AFullPacketLeavesAtOnceAndRestartsTheTimer) {
  UsbAdapter adapter(16 * kMs, 0);
  const auto arrivals = Reply(70, 115200, 1 * kMs);
  const auto packets = Packets(adapter, arrivals);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0], std::make_pair(arrivals[61], size_t{62}));
  EXPECT_EQ(packets[1], std::make_pair(arrivals[61] + 16 * kMs, size_t{8}));
}

}  // namespace
