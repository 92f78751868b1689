#pragma once
// The real clock: a monotonic millisecond tick and a sleep that keeps the event loop turning.
#include <QElapsedTimer>
#include <functional>

class QEventLoop;

#include "programmer/Ports.h"

// The one wait of the program: a local event loop for up to ms milliseconds, so windows keep
// painting and the cancel button works; wakeUps may connect signals that end it sooner. Without
// an application object there is no loop to run, and it sleeps.
void WaitForEvents(int ms, const std::function<void(QEventLoop&)>& wakeUps = {});

class QtClock : public IClock {
 public:
  QtClock();
  uint32_t TickCount() override;
  // Runs a local event loop for ms milliseconds, so a window keeps painting meanwhile.
  void Sleep(int ms) override;

 private:
  QElapsedTimer timer_;
};
