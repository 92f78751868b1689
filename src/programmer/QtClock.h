#pragma once
// The real clock: a monotonic millisecond tick and a sleep that keeps the event loop turning.
#include <QElapsedTimer>
#include <functional>

class QEventLoop;

#include "programmer/Ports.h"

// The one wait of the program: a local event loop for up to ms milliseconds, so windows keep
// painting and the cancel button works; wakeUps may connect signals that end it sooner. Without
// eventLoop (a host with no window) or an application object it simply sleeps.
void WaitForEvents(int ms, bool eventLoop, const std::function<void(QEventLoop&)>& wakeUps = {});

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
