#include "UsbAdapter.h"

namespace hcsim {

int64_t UsbAdapter::HeldExpiryUs() const {
  // Empty status packets went out on the grid while nothing was held: the held bytes leave at
  // the first tick after the first of them came.
  const int64_t ticks = (firstHeldUs_ - timerUs_) / latencyUs_ + 1;
  return timerUs_ + ticks * latencyUs_;
}

void UsbAdapter::Release(int64_t atUs) {
  sent_.push_back({atUs, std::move(held_)});
  held_.clear();
  timerUs_ = atUs;
}

void UsbAdapter::Arrive(char byte, int64_t atUs) {
  if (!held_.empty() && HeldExpiryUs() <= atUs) Release(HeldExpiryUs());
  if (held_.empty()) firstHeldUs_ = atUs;
  held_.push_back(byte);
  if (held_.size() == kPacketData) Release(atUs);
}

int64_t UsbAdapter::NextReleaseUs() const {
  if (!sent_.empty()) return sent_.front().atUs;
  return held_.empty() ? kNoneUs : HeldExpiryUs();
}

std::deque<UsbAdapter::Packet> UsbAdapter::Take(int64_t nowUs) {
  if (!held_.empty() && HeldExpiryUs() <= nowUs) Release(HeldExpiryUs());
  std::deque<Packet> due;
  while (!sent_.empty() && sent_.front().atUs <= nowUs) {
    due.push_back(std::move(sent_.front()));
    sent_.pop_front();
  }
  return due;
}

}  // namespace hcsim
