#pragma once
// One direction of a serial line: bytes go out one after another, each taking a fixed time
// (10 bit times for 8N1). A byte counts as delivered once its stop bit has gone by.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace hcsim {

constexpr int64_t kNeverUs = std::numeric_limits<int64_t>::max();

class PacedLine {
 public:
  // baud 0 means an ideal line: bytes arrive the moment they are queued.
  explicit PacedLine(int baud) : byteUs_(baud > 0 ? (10'000'000 + baud / 2) / baud : 0) {}

  void Push(std::string_view bytes, int64_t nowUs) {
    if (bytes.empty()) return;
    // An idle line starts the first byte now, not back when it last fell idle.
    if (Pending() == 0) freeUs_ = std::max(freeUs_, nowUs);
    queue_.append(bytes);
  }
  // While paused no new byte starts (XOFF from the receiving end).
  void SetPaused(bool paused, int64_t nowUs) {
    if (paused_ && !paused) freeUs_ = std::max(freeUs_, nowUs);
    paused_ = paused;
  }
  bool Paused() const { return paused_; }
  // When the next byte will have arrived, or kNeverUs.
  int64_t NextArrivalUs() const { return paused_ || Pending() == 0 ? kNeverUs : freeUs_ + byteUs_; }
  // When to wake to take arrived bytes, or kNeverUs: at the next arrival, but while a long
  // stream goes by no more often than every batchUs; the last queued byte is always taken the
  // moment it arrives, so a reply's end is never held back by the batching.
  int64_t WakeUs(int64_t nowUs, int64_t batchUs) const {
    const int64_t next = NextArrivalUs();
    if (next == kNeverUs) return next;
    const int64_t last = freeUs_ + static_cast<int64_t>(Pending()) * byteUs_;
    return std::max(next, std::min(nowUs + batchUs, last));
  }
  // Calls deliver(byte, arrivalUs) for every byte that has arrived by nowUs, in order.
  template <typename Fn>
  void Deliver(int64_t nowUs, Fn&& deliver);
  // Bytes still queued, not yet arrived.
  size_t Pending() const { return queue_.size() - head_; }

 private:
  int64_t byteUs_;
  int64_t freeUs_ = 0;  // when the byte on the wire (if any) has gone by
  bool paused_ = false;
  std::string queue_;
  size_t head_ = 0;
};

template <typename Fn>
void PacedLine::Deliver(int64_t nowUs, Fn&& deliver) {
  while (!paused_ && head_ < queue_.size() && freeUs_ + byteUs_ <= nowUs) {
    freeUs_ += byteUs_;
    deliver(queue_[head_++], freeUs_);
  }
  if (head_ == queue_.size()) {
    queue_.clear();
    head_ = 0;
  } else if (head_ > 65536) {
    queue_.erase(0, head_);
    head_ = 0;
  }
}

}  // namespace hcsim
