#pragma once
// The least any program can do for the fast verify's exchanges: write each command, sleep until
// its reply can have crossed the line, read it (and only if it is not all there yet, wait in
// poll for the rest). No Qt, no retries, no progress; its processor time and turnaround are what
// this machine and the simulator cost before padflasher-cli adds anything.
#include <cstdint>
#include <string>

struct BareLoopResult {
  bool ok = false;
  double wall = 0, cpu = 0;  // seconds
  int64_t bytes = 0;         // sent and received
  int exchanges = 0;
};

// pages page-select commands, each followed by sums / pages checksum commands, as the fast
// verify sends them, on a line of the given rate.
BareLoopResult RunBareLoop(const std::string& device, int pages, int sums, int baud);
