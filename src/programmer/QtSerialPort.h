#pragma once
// The window's serial port: every wait turns a local event loop around QSerialPort's buffers,
// so the window keeps painting and its buttons work while the link waits, and a wait costs no
// CPU.
#include "programmer/SerialPort.h"

class QtSerialPort : public SerialPort {
 public:
  QtSerialPort();
  ~QtSerialPort() override;

  int BytesWaiting() override;
  bool WaitForData(int timeoutMs) override;

 protected:
  bool HandToDriver(const std::string& bytes) override;
  bool Rest(int64_t untilUs) override;
  bool AwaitBytes(int64_t untilUs) override;
  void TakeReady() override;
  // No rest before a reply: its first byte is awaited in the event loop, which costs nothing.
  bool LearnsPace() const override { return false; }

 private:
  enum class Until { kData, kWritten, kClosed };
  void OnError(QSerialPort::SerialPortError error);
  // Runs the event loop until the awaited event, the port closing, or ms pass.
  void WaitEvents(int ms, Until until);
};
