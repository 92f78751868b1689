#pragma once
// The real clock: a monotonic millisecond tick and a sleep that keeps the event loop turning.
#include <QElapsedTimer>

#include "programmer/Ports.h"

class QtClock : public IClock {
 public:
  QtClock();
  uint32_t TickCount() override;
  // Runs a local event loop for ms milliseconds, so a window keeps painting meanwhile.
  void Sleep(int ms) override;

 private:
  QElapsedTimer timer_;
};
