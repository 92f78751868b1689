#include "PacedLine.h"

#include <algorithm>

namespace hcsim {

PacedLine::PacedLine(int baud) : byteUs_(baud > 0 ? (10'000'000 + baud / 2) / baud : 0) {}

void PacedLine::Push(std::string_view bytes, int64_t nowUs) {
  if (bytes.empty()) return;
  // An idle line starts the first byte now, not back when it last fell idle.
  if (Pending() == 0) freeUs_ = std::max(freeUs_, nowUs);
  queue_.append(bytes);
}

void PacedLine::SetPaused(bool paused, int64_t nowUs) {
  if (paused_ && !paused) freeUs_ = std::max(freeUs_, nowUs);
  paused_ = paused;
}

int64_t PacedLine::NextArrivalUs() const {
  if (paused_ || Pending() == 0) return kNeverUs;
  return freeUs_ + byteUs_;
}

}  // namespace hcsim
