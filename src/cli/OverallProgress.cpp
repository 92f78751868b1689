#include "OverallProgress.h"

#include <algorithm>
#include <cmath>

#include "programmer/Image.h"

namespace {

constexpr double kByteSeconds = 10.0 / 19200;  // 8N1 at the hand control's rate
constexpr double kTurnaround = 0.002;          // per exchange: the device and the scheduler
constexpr double kCommand = 11;
constexpr double kEraseSeconds = 9;  // what the hand control's erase message promises
constexpr int kBlocks = kImageSize / kBlockSize;

bool Written(int fileBlock) {
  return IsWrittenBlock(fileBlock % kBlocksPerBank);
}

bool Blank(int fileBlock) {
  return IsBlockBlank(fileBlock / kBlocksPerBank, fileBlock % kBlocksPerBank);
}

// Per-block seconds, summed up to each position.
template <typename Cost>
ProgressPhase Weighed(const char* name, LinkPhase link, Cost cost) {
  ProgressPhase phase{name, link, std::vector<double>(kBlocks + 1, 0.0)};
  for (int b = 0; b < kBlocks; ++b) phase.upTo[b + 1] = phase.upTo[b] + (Written(b) ? cost(b) : 0);
  return phase;
}

// The check and the fast verify read one sum per block: every block of bank 0, and the
// non-blank ones of bank 1.
ProgressPhase SumPass(const char* name) {
  return Weighed(name, LinkPhase::Verifying, [](int b) {
    return b < kBlocksPerBank || !Blank(b) ? (kCommand + 3) * kByteSeconds + kTurnaround : 0;
  });
}

ProgressPhase FullPass() {
  return Weighed("verifying", LinkPhase::Verifying, [](int b) {
    return b < kBlocksPerBank || !Blank(b) ? (kCommand + 513) * kByteSeconds + kTurnaround : 0;
  });
}

ProgressPhase ReadPass() {
  return Weighed("reading", LinkPhase::Reading,
                 [](int) { return (kCommand + 513) * kByteSeconds + kTurnaround; });
}

}  // namespace

std::vector<ProgressPhase> FlashPlan(bool backup, Verification verify) {
  std::vector<ProgressPhase> plan;
  if (backup) plan.push_back(ReadPass());
  ProgressPhase erase{"erasing", LinkPhase::Erasing, {}, kEraseSeconds};
  plan.push_back(erase);
  plan.push_back(Weighed("programming", LinkPhase::Programming, [](int b) {
    return Blank(b) ? 0 : kBlockSize * kByteSeconds + kTurnaround;
  }));
  plan.push_back(SumPass("checking"));
  if (verify == Verification::Fast) plan.push_back(SumPass("verifying"));
  if (verify == Verification::Full) plan.push_back(FullPass());
  return plan;
}

std::vector<ProgressPhase> VerifyPlan(Verification verify) {
  return {verify == Verification::Full ? FullPass() : SumPass("verifying")};
}

std::vector<ProgressPhase> ReadPlan() {
  return {ReadPass()};
}

void OverallProgress::SetPlan(std::vector<ProgressPhase> plan) {
  plan_ = std::move(plan);
  current_ = 0;
  inPhase_ = 0;
  jobStart_ = -1;
}

void OverallProgress::Enter(const std::string& name, double now) {
  if (jobStart_ < 0) jobStart_ = now;
  for (size_t i = current_; i < plan_.size(); ++i) {
    if (plan_[i].name == name) {
      current_ = i;
      inPhase_ = 0;
      phaseStart_ = now;
      return;
    }
  }
}

void OverallProgress::Update(LinkPhase link, double fraction, double now) {
  if (plan_.empty()) return;
  if (jobStart_ < 0) {
    jobStart_ = now;
    phaseStart_ = now;
  }
  if (plan_[current_].link != link) {
    // Only forward, and only to the next phase that reports this way.
    for (size_t i = current_ + 1; i < plan_.size(); ++i) {
      if (plan_[i].link == link) {
        current_ = i;
        inPhase_ = 0;
        phaseStart_ = now;
        break;
      }
    }
  }
  const ProgressPhase& phase = plan_[current_];
  if (phase.link != link || phase.upTo.empty()) return;
  const auto position = static_cast<size_t>(
      std::clamp(std::lround(fraction * kBlocks), 0L, static_cast<long>(kBlocks)));
  inPhase_ = std::max(inPhase_, phase.upTo[position]);
}

void OverallProgress::FinishPhase() {
  if (plan_.empty()) return;
  inPhase_ = plan_[current_].Seconds();
  // The next report of the same kind belongs to the next phase (a verify after the check).
  if (current_ + 1 < plan_.size()) {
    ++current_;
    inPhase_ = 0;
  }
}

double OverallProgress::Total() const {
  double total = 0;
  for (const ProgressPhase& phase : plan_) total += phase.Seconds();
  return total;
}

double OverallProgress::DoneSeconds(double now) const {
  double done = 0;
  for (size_t i = 0; i < current_ && i < plan_.size(); ++i) done += plan_[i].Seconds();
  if (current_ < plan_.size()) {
    const ProgressPhase& phase = plan_[current_];
    // A countdown phase reports nothing while it runs: its clock is the progress, held short of
    // its end until the phase really ends.
    done += phase.upTo.empty() && jobStart_ >= 0
                ? std::min(std::max(now - phaseStart_, 0.0), 0.95 * phase.fixedSeconds)
                : inPhase_;
  }
  return done;
}

double OverallProgress::Fraction(double now) const {
  const double total = Total();
  return total > 0 ? std::clamp(DoneSeconds(now) / total, 0.0, 1.0) : 0;
}

double OverallProgress::Remaining(double now) const {
  if (plan_.empty() || jobStart_ < 0) return -1;
  const double done = DoneSeconds(now);
  const double left = std::max(Total() - done, 0.0);
  // The line's own speed, once enough has gone by to measure it (at least a few seconds, and
  // not the erase alone, whose real length nobody knows in advance).
  const double elapsed = now - jobStart_;
  const double pace = elapsed > 5 && done > 5 ? std::clamp(elapsed / done, 0.5, 3.0) : 1.0;
  return left * pace;
}

std::string OverallProgress::PhaseName() const {
  return current_ < plan_.size() ? plan_[current_].name : std::string();
}
