#pragma once
// A USB-serial adapter between the line and the host, as an FTDI chip behaves: bytes from the
// line reach the host in USB packets of at most 62 data bytes, sent when a packet is full or when
// the latency timer runs out. The timer restarts with every packet, and while the line is idle
// the chip's status packets keep it running, so held bytes leave on a grid of the timer's period
// counted from the last packet. The grid is arithmetic: an idle adapter needs no wake-ups.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "PacedLine.h"

namespace hcsim {

class UsbAdapter {
 public:
  static constexpr size_t kPacketBytes = 62;

  // latencyUs 0: no adapter, bytes pass the moment they arrive.
  explicit UsbAdapter(int64_t latencyUs = 0, int64_t startUs = 0)
      : latencyUs_(latencyUs), lastPacketUs_(startUs) {}
  bool Present() const { return latencyUs_ > 0; }

  // A byte that finished crossing the line at atUs (in time order).
  void Arrive(char byte, int64_t atUs) {
    if (!held_.empty() && TimerRunsOutUs() <= atUs) Send(TimerRunsOutUs());
    if (held_.empty()) firstHeldUs_ = atUs;
    held_ += byte;
    if (held_.size() == kPacketBytes) Send(atUs);
  }
  // When the next packet leaves (it may be due already), or kNeverUs when nothing is held.
  int64_t NextReleaseUs() const {
    if (!ready_.empty()) return ready_.front().first;
    return held_.empty() ? kNeverUs : TimerRunsOutUs();
  }
  // Calls release(bytes, atUs) for every packet that has left by nowUs, in order.
  template <typename Fn>
  void Release(int64_t nowUs, Fn&& release) {
    if (!held_.empty() && TimerRunsOutUs() <= nowUs) Send(TimerRunsOutUs());
    while (!ready_.empty() && ready_.front().first <= nowUs) {
      release(ready_.front().second, ready_.front().first);
      ready_.pop_front();
    }
  }

 private:
  // The first expiry of the timer after the oldest held byte arrived.
  int64_t TimerRunsOutUs() const {
    return lastPacketUs_ + ((firstHeldUs_ - lastPacketUs_) / latencyUs_ + 1) * latencyUs_;
  }
  void Send(int64_t atUs) {
    ready_.emplace_back(atUs, std::move(held_));
    held_.clear();
    lastPacketUs_ = atUs;
  }

  int64_t latencyUs_;
  int64_t lastPacketUs_;
  int64_t firstHeldUs_ = 0;
  std::string held_;
  std::deque<std::pair<int64_t, std::string>> ready_;
};

}  // namespace hcsim
