#include "programmer/LinePace.h"

#include <algorithm>

void LineBacklog::Add(size_t bytes, int64_t nowUs) {
  if (baud_ <= 0) return;
  // An idle line starts sending now, not back when it fell idle.
  freeNs_ = std::max(freeNs_, nowUs * 1000) + LineNs(bytes);
}

int64_t LineBacklog::WaitUs(int64_t nowUs) const {
  if (baud_ <= 0) return 0;
  const int64_t owedNs = freeNs_ - nowUs * 1000 - LineNs(kTransmitBuffer);
  return owedNs > 0 ? (owedNs + 999) / 1000 : 0;
}

int64_t LineBacklog::ReplyDueUs(size_t bytes) const {
  if (baud_ <= 0) return 0;
  return (freeNs_ + LineNs(bytes)) / 1000;
}

int64_t LineBacklog::LineNs(size_t bytes) const {
  return static_cast<int64_t>(bytes) * 10'000'000'000LL / baud_;
}

void ReplyPacer::Start(size_t total, int64_t dueUs) {
  total_ = std::max<size_t>(total, 1);
  dueUs_ = dueUs;
  restUntilUs_ = 0;
}

ReplyPacer::Wait ReplyPacer::Next(size_t received, int64_t nowUs, LineBacklog const& line,
                                  LinePace pace) {
  constexpr Wait kNextByte{false, 0};
  if (dueUs_ == 0 || pace == LinePace::kFaster) return kNextByte;
  // One rest per reply. A reply still incomplete when it ends is overdue by its line time: the
  // rest comes later than the line would bring it (a USB adapter's next packet, a late device),
  // and another rest would overshoot it, so its next byte is waited for instead.
  if (restUntilUs_ != 0) return nowUs < restUntilUs_ ? Wait{true, restUntilUs_} : kNextByte;
  if (received == 0) {
    // Before any of it: only a device known to keep the line's rate is rested for, since an
    // unknown one may be faster and would only be slowed down.
    const int64_t wakeUs = dueUs_ + kSlackUs;
    if (pace != LinePace::kKept || nowUs >= wakeUs) return kNextByte;
    restUntilUs_ = wakeUs;
  } else {
    // Begun: the rest cannot come sooner than its line time from now.
    const size_t missing = total_ > received ? total_ - received : 1;
    if (missing < 2) return kNextByte;
    restUntilUs_ = nowUs + line.LineUs(missing) + kSlackUs;
  }
  return {true, restUntilUs_};
}

LinePace ReplyPacer::PaceOfComplete(int64_t nowUs, LineBacklog const& line) const {
  if (dueUs_ == 0) return LinePace::kUnknown;
  // A reply complete before the line could have carried it comes from a device faster than the
  // line: resting until the due time would only slow it down.
  return nowUs + line.LineUs(1) >= dueUs_ ? LinePace::kKept : LinePace::kFaster;
}
