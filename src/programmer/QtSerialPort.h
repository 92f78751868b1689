#pragma once
// The serial port on QSerialPort: 19200 8N1, XON/XOFF, binary. Waits run a local event loop (or
// block in the port when there is no application object), so a wait costs no CPU.
#include <QSerialPort>
#include <string>

#include "programmer/Ports.h"

class QtSerialPort : public ISerialPort {
 public:
  QtSerialPort();
  ~QtSerialPort() override;

  void SetDevice(const std::string& device) override;
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  int BytesWaiting() override;
  int ReadByte() override;
  bool Write(const std::string& bytes) override;
  bool WaitForData(int timeoutMs) override;
  std::string LastError() const override;

  // Bytes the driver accepted but has not handed on; a stalled line gives up after this long.
  static constexpr int kReadBufferSize = 4096;
  static constexpr int kWriteStallMs = 20000;

 private:
  void OnError(QSerialPort::SerialPortError error);
  // Runs the event loop until data arrives (wantData) or bytes leave (otherwise), the port
  // closes, or ms pass.
  void WaitEvents(int ms, bool wantData);
  void Fail(const std::string& reason);

  QSerialPort port_;
  std::string device_;
  std::string error_;
};
