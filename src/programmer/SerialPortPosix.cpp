#include "programmer/SerialPortPosix.h"

#include <QElapsedTimer>
#include <cstring>

#include "base/DebugLog.h"
#include "programmer/DeviceIo.h"

PosixSerialPort::~PosixSerialPort() {
  PosixSerialPort::Close();
}

void PosixSerialPort::Close() {
  SerialPort::Close();
  emptiedUs_ = INT64_MIN / 2;
}

int PosixSerialPort::BytesWaiting() {
  if (!port_.isOpen()) return 0;
  // Bytes still in the driver count too, or a late reply would slip past the flush before a
  // command. The look before the next command comes an instant after the reply's read emptied
  // the driver; within one byte time on the line that look still stands, and asking again would
  // cost a system call per exchange for nothing.
  if (Buffered() == 0 && NowUs() - emptiedUs_ >= kLookStandsUs) Receive(0);
  return port_.isOpen() ? static_cast<int>(Buffered()) : 0;
}

void PosixSerialPort::Receive(int timeoutMs) {
  const device_io::Result result = device_io::Receive(Handle(), timeoutMs, received_);
  // Every outcome but a failure left the driver empty.
  emptiedUs_ = NowUs();
  if (result.status == device_io::Status::kHungUp) {
    Fail(kUnpluggedText);
  } else if (result.status == device_io::Status::kFailed) {
    Fail(std::string("read failed: ") + std::strerror(result.error));
  }
}

void PosixSerialPort::TakeReady() {
  if (device_io::ReceiveReady(Handle(), received_).status == device_io::Status::kOk) {
    emptiedUs_ = NowUs();
  }
}

bool PosixSerialPort::WaitForData(int timeoutMs) {
  const bool wasOpen = port_.isOpen();
  // Only what is buffered: the wait below asks the driver anyway.
  if (wasOpen && Buffered() > 0) return true;
  if (timeoutMs <= 0) return BytesWaiting() > 0;
  if (!wasOpen) {
    // Waits on the closed port last to the caller's deadline, so a caller that only loops on
    // its clock cannot spin.
    Rest(NowUs() + int64_t{timeoutMs} * 1000);
    return false;
  }
  Receive(timeoutMs);
  return port_.isOpen() && Buffered() > 0;
}

bool PosixSerialPort::AwaitBytes(int64_t untilUs) {
  const auto ms = static_cast<int>((untilUs - NowUs() + 999) / 1000);
  if (ms > 0) Receive(ms);
  return port_.isOpen() && Buffered() > 0;
}

bool PosixSerialPort::Rest(int64_t untilUs) {
  // An interruption (Ctrl-C) ends the rest early; the caller breathes soon after.
  return device_io::RestUntil(untilUs);
}

bool PosixSerialPort::HandToDriver(const std::string& bytes) {
  // The caller's reply deadline starts when its data is on its way, and nothing may be lost
  // when the line is slow or held by XOFF.
  size_t done = 0;
  QElapsedTimer sinceProgress;
  sinceProgress.start();
  while (port_.isOpen() && done < bytes.size()) {
    if (sinceProgress.elapsed() >= kWriteStallMs) {
      error_ = "transmit stalled (the device holds the line with XOFF?)";
      DebugLog("Serial port " + device_ + ": " + error_);
      return false;
    }
    const size_t before = done;
    const device_io::Result sent = device_io::Send(Handle(), bytes, done, 100);
    if (sent.status == device_io::Status::kHungUp) Fail(kUnpluggedText);
    if (sent.status == device_io::Status::kFailed)
      Fail(std::string("write refused: ") + std::strerror(sent.error));
    if (done > before) sinceProgress.restart();
  }
  return port_.isOpen();
}
