#pragma once
// The least any program can do for the fast verify's exchanges: write each command, sleep in
// poll until the reply is there, read it. No Qt, no retries, no progress; its processor time and
// turnaround are what this machine and the simulator cost before padflasher-cli adds anything.
#include <cstdint>
#include <string>

struct BareLoopResult {
  bool ok = false;
  double wall = 0, cpu = 0;  // seconds
  int64_t bytes = 0;         // sent and received
  int exchanges = 0;
};

// pages page-select commands, each followed by sums / pages checksum commands, as the fast
// verify sends them.
BareLoopResult RunBareLoop(const std::string& device, int pages, int sums);
