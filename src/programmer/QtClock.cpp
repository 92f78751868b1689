#include "programmer/QtClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <thread>

QtClock::QtClock() {
  timer_.start();
}

uint32_t QtClock::TickCount() {
  return static_cast<uint32_t>(timer_.elapsed());
}

void WaitForEvents(int ms, bool eventLoop, const std::function<void(QEventLoop&)>& wakeUps) {
  if (!eventLoop || !QCoreApplication::instance()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  if (wakeUps) wakeUps(loop);
  timer.start(ms);
  loop.exec();
}

void QtClock::Sleep(int ms) {
  if (ms > 0) WaitForEvents(ms, eventLoopWaits_);
}
