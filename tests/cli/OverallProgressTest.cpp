// One progress over a whole job: phases weighed by their expected line time, the erase as a
// countdown, and the link's per-phase labels moving it only forward.
#include <gtest/gtest.h>

#include <optional>

#include "cli/OverallProgress.h"
#include "programmer/Image.h"

namespace {

// An image with data in file blocks 0-9 only: the check still reads all 384 bank-0 blocks.
void TenBlockImage() {
  gImage.fill(0xFF);
  for (int i = 0; i < 10 * kBlockSize; ++i) gImage[i] = static_cast<uint8_t>(i);
}

TEST(OverallProgress, PhasesAddUpInOrderAndOnlyMoveForward) {
  TenBlockImage();
  const std::vector<ProgressPhase> plan = FlashPlan(false, Verification::Fast);
  ASSERT_EQ(plan.size(), 4u);
  const double erase = plan[0].Seconds(), program = plan[1].Seconds(), check = plan[2].Seconds();
  EXPECT_EQ(erase, 9);
  // Ten blocks of 256 bytes at 19200 baud, and 384 sums of 14 bytes.
  EXPECT_NEAR(program, 10 * (256 * 10.0 / 19200 + 0.002), 1e-9);
  EXPECT_NEAR(check, 384 * (14 * 10.0 / 19200 + 0.002), 1e-9);
  EXPECT_EQ(plan[3].Seconds(), check);
  const double total = erase + program + 2 * check;

  OverallProgress p;
  p.SetPlan(plan);
  const struct {
    std::optional<LinkPhase> link;  // none: only the clock moves
    double fraction, now;
    const char* phase;
    double done;  // expected seconds of the job behind us
  } steps[] = {
      {LinkPhase::Erasing, 0, 100, "erasing", 0},
      {std::nullopt, 0, 104, "erasing", 4},         // the countdown runs on the clock
      {std::nullopt, 0, 130, "erasing", 0.95 * 9},  // and never claims the erase is over
      {LinkPhase::Programming, 0, 131, "programming", 9},
      {LinkPhase::Programming, 5.0 / 1024, 132, "programming", 9 + program / 2},
      {LinkPhase::Verifying, 0, 133, "checking", 9 + program},
      // 192 of the 384 blocks the check reads.
      {LinkPhase::Verifying, 192.0 / 1024, 134, "checking", 9 + program + check / 2},
      {LinkPhase::Programming, 0.1, 135, "checking", 9 + program + check / 2},
      {LinkPhase::ProgrammingComplete, 1, 136, "verifying", 9 + program + check},
      {LinkPhase::Verifying, 0, 137, "verifying", 9 + program + check},
      {LinkPhase::Verifying, 1, 138, "verifying", total},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.now);
    if (step.link) p.Update(*step.link, step.fraction, step.now);
    if (step.link == LinkPhase::ProgrammingComplete) p.FinishPhase();
    EXPECT_EQ(p.PhaseName(), step.phase);
    EXPECT_NEAR(p.Fraction(step.now), step.done / total, 1e-9);
  }
  EXPECT_NEAR(p.Remaining(138), 0, 1e-9);
}

TEST(OverallProgress, RemainingTimeFollowsTheMeasuredPace) {
  TenBlockImage();
  OverallProgress p;
  p.SetPlan(VerifyPlan(Verification::Full));
  const double total = p.Remaining(0) < 0 ? VerifyPlan(Verification::Full)[0].Seconds() : -1;
  ASSERT_GT(total, 100);  // 384 blocks of 524 bytes
  p.Enter("verifying", 0);
  EXPECT_NEAR(p.Remaining(0), total, 1e-9);
  // Half done in twice the expected time: the other half is expected to take as long.
  p.Update(LinkPhase::Verifying, 192.0 / 1024, total);
  EXPECT_NEAR(p.Fraction(total), 0.5, 1e-9);
  EXPECT_NEAR(p.Remaining(total), total, 1e-6);
}

}  // namespace
