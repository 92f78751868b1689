#pragma once
// The real clock: a monotonic millisecond tick and a sleep that keeps the event loop turning.
#include <QElapsedTimer>

#include "programmer/Ports.h"

class QtClock : public IClock {
 public:
  QtClock();
  uint32_t TickCount() override;
  // Runs a local event loop for ms milliseconds, so a window keeps painting meanwhile; without
  // event-loop waits (a host with no window) it simply sleeps.
  void Sleep(int ms) override;
  void SetEventLoopWaits(bool on) { eventLoopWaits_ = on; }

 private:
  bool eventLoopWaits_ = true;
  QElapsedTimer timer_;
};
