#pragma once
// What the window's and the command line's serial ports share: opening the device at 19200 8N1
// with XON/XOFF in binary, locking it against every other program, the texts that say why it
// failed, holding writes to the line's rate, and reading a reply to its "#". How they wait is
// theirs: QtSerialPort turns the event loop, PosixSerialPort blocks in the device.
#include <QSerialPort>
#include <cstdint>
#include <string>

#include <QtGlobal>

#include "programmer/LinePace.h"
#include "programmer/LowLatency.h"
#include "programmer/Ports.h"

// Why an open failed, for callers that word it their own way (the CLI).
enum class OpenFailure { None, NoDevice, Permission, Busy, Other };

// What a user without access to the device does about it, naming the group that owns it, in
// the user's language (English: false for the debug log).
std::string AccessAdvice(const std::string& device, bool translated = true);

class SerialPort : public ISerialPort {
 public:
  SerialPort();
  ~SerialPort() override;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  void SetDevice(const std::string& device) override;
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  int ReadByte() override;
  bool Write(const std::string& bytes) override;
  bool ReadReply(int expectedLength, int timeoutMs, std::string& reply) override;
  // In the user's language, for messages; the debug log has the English.
  std::string LastError() const override;
  OpenFailure LastOpenFailure() const { return failure_; }

  // The rate whose line time writes are held to and replies are rested for (default: the hand
  // control's 19200 baud); 0 for a line known to be unpaced, such as a test's simulator.
  void SetLineBaud(int baud) { backlog_ = LineBacklog(baud); }

  // What asking the adapter for low latency came to at the last open, and that on one line
  // (empty for a device that is no USB adapter).
  const LowLatencyReport& LowLatency() const { return lowLatency_; }
  std::string LowLatencyLine() const { return LowLatencyText(opened_, lowLatency_); }
  // For tests: a made-up driver and sysfs tree in place of the system's.
  void UseSerialSettings(SerialSettingsAccess& access, const std::string& sysRoot) {
    settingsAccess_ = &access;
    sysRoot_ = sysRoot;
  }

  // Bytes the driver accepted but has not handed on; a stalled line gives up after this long.
  static constexpr int kReadBufferSize = 4096;
  static constexpr int kWriteStallMs = 20000;
  static constexpr int kBaud = 19200;

 protected:
  // Gives bytes to the driver and waits until it has taken all of them.
  virtual bool HandToDriver(const std::string& bytes) = 0;
  // Sleeps until untilUs unless the port closes; false when the rest was cut short.
  virtual bool Rest(int64_t untilUs) = 0;
  // Waits until received bytes are there or untilUs; false when none came.
  virtual bool AwaitBytes(int64_t untilUs) = 0;
  // Takes what the driver holds now, after a rest.
  virtual void TakeReady() = 0;
  // Whether a rest before a reply may begin at all (see ReplyPacer).
  virtual bool LearnsPace() const = 0;

  void Fail(const std::string& reason);
  int Handle() const { return static_cast<int>(port_.handle()); }
  // Received bytes not yet taken; what Qt read on its own comes first, as it came first.
  size_t Buffered();
  // On CLOCK_MONOTONIC, as the device functions count.
  static int64_t NowUs();

  QSerialPort port_;
  std::string device_;
  std::string error_;
  OpenFailure failure_ = OpenFailure::None;
  std::string received_;
  size_t taken_ = 0;  // bytes of received_ already read

  static constexpr const char* kUnpluggedText = "device unplugged";

 private:
  void CloseDevice();
  bool HoldForLine(size_t bytes);
  // Moves received bytes into reply up to the "#", which it takes; true when it came.
  bool TakeReply(std::string& reply);

  LineBacklog backlog_{kBaud};
  ReplyPacer pacer_;
  std::string opened_;  // the device itself, as opened
  LowLatencyReport lowLatency_;
  SerialSettingsAccess* settingsAccess_ = &SystemSerialSettings();
  std::string sysRoot_ = "/sys";
  LinePace pace_ = LinePace::kUnknown;
  int keptReplies_ = 0;  // complete replies in a row that came no sooner than the line allows
  static constexpr int kKeptToLearn = 3;
  bool replyBegun_ = false;  // the reply to the last write has been waited for
};
