#pragma once
// The serial port of a host without a window (the command line, the bench, tests on
// pseudo-terminals): it blocks in the device and reads and writes its descriptor directly,
// instead of turning an event loop around Qt's buffers, which costs several times the system
// calls per exchange. Nothing paints meanwhile; the link breathes between its calls.
#include "programmer/SerialPort.h"

class PosixSerialPort : public SerialPort {
 public:
  ~PosixSerialPort() override;
  void Close() override;
  int BytesWaiting() override;
  bool WaitForData(int timeoutMs) override;

 protected:
  bool HandToDriver(const std::string& bytes) override;
  bool Rest(int64_t untilUs) override;
  bool AwaitBytes(int64_t untilUs) override;
  void TakeReady() override;
  bool LearnsPace() const override { return true; }

 private:
  // Takes what the device has into the buffer, waiting up to timeoutMs for it.
  void Receive(int timeoutMs);

  int64_t emptiedUs_ = INT64_MIN / 2;            // when a read last found the driver empty
  static constexpr int64_t kLookStandsUs = 500;  // under one byte time at 19200 baud
};
