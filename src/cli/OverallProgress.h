#pragma once
// One progress for a whole job (erase, programming, check, verify, a backup read): each phase
// weighs what it is expected to take on the line, so the percentage and the time left move
// evenly even though the link reports each phase from 0 % to 100 % by image offset.
#include <string>
#include <vector>

#include "base/Host.h"

struct ProgressPhase {
  std::string name;  // shown to the user: "erasing", "programming", ...
  LinkPhase link;    // what the link reports while this phase runs
  // Expected seconds of the phase up to each block position of the image (1025 entries: before
  // block 0 .. after block 1023). Empty for a countdown phase of fixedSeconds.
  std::vector<double> upTo;
  double fixedSeconds = 0;
  double Seconds() const { return upTo.empty() ? fixedSeconds : upTo.back(); }
};

enum class Verification { None, Fast, Full };

// The phases of the jobs, weighed with the image in gImage (blank blocks are skipped where the
// link skips them).
std::vector<ProgressPhase> FlashPlan(bool backup, Verification verify);
std::vector<ProgressPhase> VerifyPlan(Verification verify);
std::vector<ProgressPhase> ReadPlan();

class OverallProgress {
 public:
  void SetPlan(std::vector<ProgressPhase> plan);
  bool HasPlan() const { return !plan_.empty(); }
  // The command starts the named phase (and so ends those before it).
  void Enter(const std::string& name, double now);
  // A report from the link: a later phase that reports this way begins; the fraction (of the
  // image, 0..1) places the current phase.
  void Update(LinkPhase link, double fraction, double now);
  // All of the current phase is done (the link said "Complete").
  void FinishPhase();

  double Fraction(double now) const;
  // Seconds still to go; negative when unknown.
  double Remaining(double now) const;
  std::string PhaseName() const;

 private:
  double DoneSeconds(double now) const;
  double Total() const;

  std::vector<ProgressPhase> plan_;
  size_t current_ = 0;
  double inPhase_ = 0;  // expected seconds of the current phase already done
  double phaseStart_ = 0;
  double jobStart_ = -1;
};
