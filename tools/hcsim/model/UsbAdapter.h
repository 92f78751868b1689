#pragma once
// A USB-serial adapter's receive side as the host sees it: the bytes that arrive from the
// device's line are held in the chip and reach the host in USB packets of at most 62 data
// bytes, sent when a packet is full or when the latency timer runs out. The timer restarts at
// every packet; while nothing arrives the chip sends empty status packets, so the timer keeps
// running on a fixed grid from the last packet. Times are microseconds on any monotonic origin.
#include <cstdint>
#include <deque>
#include <limits>
#include <string>

namespace hcsim {

class UsbAdapter {
 public:
  static constexpr size_t kPacketData = 62;
  static constexpr int64_t kNoneUs = std::numeric_limits<int64_t>::max();

  // latencyUs: the latency timer (16 ms by default on Linux); startUs: when the port opened.
  UsbAdapter(int64_t latencyUs, int64_t startUs) : latencyUs_(latencyUs), timerUs_(startUs) {}

  // A byte from the device has come off the line at atUs (not before earlier ones).
  void Arrive(char byte, int64_t atUs);
  // When the next packet with data goes to the host, or kNoneUs: status packets carry nothing
  // and need no wake-up.
  int64_t NextReleaseUs() const;

  struct Packet {
    int64_t atUs;
    std::string data;
  };
  // Every packet with data sent by nowUs, in order.
  std::deque<Packet> Take(int64_t nowUs);

 private:
  // When the held bytes leave if nothing fills the packet first.
  int64_t HeldExpiryUs() const;
  void Release(int64_t atUs);

  int64_t latencyUs_;
  int64_t timerUs_;  // the last packet, from which the timer runs
  std::string held_;
  int64_t firstHeldUs_ = 0;
  std::deque<Packet> sent_;
};

}  // namespace hcsim
