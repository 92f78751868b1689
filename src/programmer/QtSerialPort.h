#pragma once
// The serial port on QSerialPort: 19200 8N1, XON/XOFF, binary. Waits run a local event loop, so a
// wait costs no CPU; a host without one (the CLI) blocks in the device instead and reads and
// writes its descriptor directly.
#include <QSerialPort>
#include <cstddef>
#include <cstdint>
#include <string>

#include "programmer/Ports.h"

// Line time still owed for bytes already written. A UART sends 10 bit times a byte; the link's
// reply deadlines assume that no more than one transmit buffer is still on its way when a write
// returns, but a pseudo-terminal swallows tens of kilobytes at once, so the writer holds itself
// back to the line's rate. Times are the caller's monotonic microseconds.
class LineBacklog {
 public:
  static constexpr size_t kTransmitBuffer = 4096;

  // baud 0: an ideal line, never waits.
  explicit LineBacklog(int baud) : baud_(baud) {}
  void Add(size_t bytes, int64_t nowUs);
  // How long the writer should still wait until at most one transmit buffer is outstanding.
  int64_t WaitUs(int64_t nowUs) const;
  // The line is idle (a fresh open).
  void Reset() { freeNs_ = 0; }
  // The earliest moment a reply of this many bytes can have come back complete: everything
  // written so far has left, then the reply's own line time. 0 on an ideal line (no bound).
  int64_t ReplyDueUs(size_t bytes) const;
  int64_t LineUs(size_t bytes) const { return baud_ > 0 ? LineNs(bytes) / 1000 : 0; }

 private:
  int64_t LineNs(size_t bytes) const;

  int baud_;
  int64_t freeNs_ = 0;  // when the line will have sent everything written so far
};

// What a user without access to serial devices does about it, for logs and messages.
inline constexpr const char* kDialoutAdvice = QT_TRANSLATE_NOOP(
    "SerialPort",
    "add yourself to the dialout group (sudo usermod -aG dialout $USER) and log in again");

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
  bool WaitForReply(int bytes, int timeoutMs) override;
  bool RepliesKeepLineRate() const override { return pace_ != Pace::kFaster; }
  std::string LastError() const override;

  // The rate whose line time writes are held to (default: the hand control's 19200 baud); 0 for
  // a line that is known to be unpaced, such as a test's unpaced simulator.
  void SetLineBaud(int baud) { backlog_ = LineBacklog(baud); }
  // A host without a window has nothing to keep painting: its waits can block in the port
  // (poll on the device) and its reads and writes go straight to the device, instead of turning
  // an event loop around Qt's buffers, which costs several times the system calls per exchange.
  void SetEventLoopWaits(bool on) { eventLoopWaits_ = on; }

  // Bytes the driver accepted but has not handed on; a stalled line gives up after this long.
  static constexpr int kReadBufferSize = 4096;
  static constexpr int kWriteStallMs = 20000;
  static constexpr int kBaud = 19200;

 private:
  enum class Until { kData, kWritten, kClosed };
  void OnError(QSerialPort::SerialPortError error);
  // Runs the event loop until the awaited event, the port closing, or ms pass.
  void WaitEvents(int ms, Until until);
  // Gives bytes to the driver and waits until it has taken all of them.
  bool HandToDriver(const std::string& bytes);
  bool HoldForLine(size_t bytes);
  void Fail(const std::string& reason);
  bool HaveEventLoop() const;
  // Whether poll reports any of events (or an error) on the device right now; events 0 asks
  // only whether it hung up or failed.
  bool DriverHas(short events) const;
  int Handle() const { return static_cast<int>(port_.handle()); }
  // Received bytes not yet taken; what Qt read on its own comes first, as it came first.
  size_t Buffered();
  // Takes what the device has into the buffer, waiting up to timeoutMs for it (direct I/O).
  void Receive(int timeoutMs);
  // Whether replies come at the line's rate; learnt from the first complete reply after an open.
  enum class Pace { kUnknown, kKept, kFaster };

  QSerialPort port_;
  LineBacklog backlog_{kBaud};
  std::string device_;
  std::string error_;
  std::string received_;
  size_t taken_ = 0;                             // bytes of received_ already read
  int64_t emptiedUs_ = INT64_MIN / 2;            // when direct I/O last found the driver empty
  static constexpr int64_t kLookStandsUs = 500;  // under one byte time at 19200 baud
  Pace pace_ = Pace::kUnknown;
  // How long after a reply can have come complete it is looked for: the other end's and the
  // driver's wake-ups, so that one look nearly always finds all of it.
  static constexpr int64_t kReplySlackUs = 100;
  bool eventLoopWaits_ = true;
};
