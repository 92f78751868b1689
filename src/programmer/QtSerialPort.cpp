#include "programmer/QtSerialPort.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include "base/DebugLog.h"
#include "programmer/DeviceIo.h"
#include "programmer/QtClock.h"

QtSerialPort::QtSerialPort() {
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError e) { OnError(e); });
}

QtSerialPort::~QtSerialPort() {
  // Before the base goes: closing may still raise a signal into this object.
  QObject::disconnect(&port_, nullptr, nullptr, nullptr);
  Close();
}

int QtSerialPort::BytesWaiting() {
  if (!port_.isOpen()) return 0;
  // Bytes still in the driver count too, or a late reply would slip past the flush before a
  // command. A zero-timeout wait pulls them in without blocking; it is asked only when the
  // device has something (data or an error), since an empty wait costs a timeout error's text.
  if (Buffered() == 0 && device_io::HasInput(Handle())) port_.waitForReadyRead(0);
  return port_.isOpen() ? static_cast<int>(Buffered()) : 0;
}

void QtSerialPort::TakeReady() {
  BytesWaiting();
}

bool QtSerialPort::HandToDriver(const std::string& bytes) {
  // The caller's reply deadline starts when its data is on its way, and nothing may be lost
  // when the line is slow or held by XOFF.
  if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    Fail("write refused: " + port_.errorString().toStdString());
    return false;
  }
  // A command usually fits the driver at once: writing it now spares a turn of the event loop.
  // Only when the driver has room, though: a full one (the device held the line with XOFF)
  // would refuse the write, and Qt takes that refusal for a lost device.
  if (device_io::HasRoom(Handle())) port_.flush();
  auto pending = [&] { return port_.isOpen() ? port_.bytesToWrite() : qint64{0}; };
  QElapsedTimer sinceProgress;
  sinceProgress.start();
  for (qint64 before = pending(); before > 0;) {
    if (sinceProgress.elapsed() >= kWriteStallMs) {
      error_ = "transmit stalled (the device holds the line with XOFF?)";
      DebugLog("Serial port " + device_ + ": " + error_);
      return false;
    }
    WaitEvents(100, Until::kWritten);
    const qint64 now = pending();
    if (now < before) sinceProgress.restart();
    before = now;
  }
  return port_.isOpen();
}

bool QtSerialPort::WaitForData(int timeoutMs) {
  const bool wasOpen = port_.isOpen();
  // Only what is buffered: the wait below asks the driver anyway.
  if (wasOpen && Buffered() > 0) return true;
  if (timeoutMs <= 0) return BytesWaiting() > 0;
  if (!port_.isOpen()) {
    // The wait that finds the failure returns at once; later ones on the closed port last to
    // the caller's deadline, so a caller that only loops on its clock cannot spin.
    if (!wasOpen) WaitEvents(timeoutMs, Until::kClosed);
    return false;
  }
  WaitEvents(timeoutMs, Until::kData);
  return BytesWaiting() > 0;
}

bool QtSerialPort::AwaitBytes(int64_t untilUs) {
  const auto ms = static_cast<int>((untilUs - NowUs() + 999) / 1000);
  return ms > 0 && WaitForData(ms);
}

bool QtSerialPort::Rest(int64_t untilUs) {
  const auto ms = static_cast<int>((untilUs - NowUs() + 999) / 1000);
  if (ms > 0) WaitEvents(ms, Until::kClosed);
  return port_.isOpen();
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
  if (!port_.isOpen()) return;
  // Qt also reports a write the driver refused for the moment (EAGAIN: the device held the line
  // with XOFF an instant after poll found room) as a resource error. The device is still there
  // (poll reports no hang-up or error) and the data is still queued: the write goes on when the
  // line is released. Taking it for an unplugged device broke off programming runs under load.
  if (error == QSerialPort::ResourceError && port_.bytesToWrite() > 0 &&
      !device_io::Gone(Handle())) {
    DebugLog("Serial port " + device_ + ": write refused for the moment [" +
             port_.errorString().toStdString() + "]; waiting for the line");
    port_.clearError();
    return;
  }
  // An unplugged device shows up as a read or resource error that Qt raises again on every turn
  // of the event loop while the port stays open, so close at once.
  Fail(kUnpluggedText);
}

void QtSerialPort::WaitEvents(int ms, Until until) {
  WaitForEvents(ms, true, [&](QEventLoop& loop) {
    if (until == Until::kData) {
      QObject::connect(&port_, &QSerialPort::readyRead, &loop, &QEventLoop::quit);
    } else if (until == Until::kWritten) {
      QObject::connect(&port_, &QSerialPort::bytesWritten, &loop, &QEventLoop::quit);
    }
    QObject::connect(&port_, &QSerialPort::aboutToClose, &loop, &QEventLoop::quit);
  });
}
