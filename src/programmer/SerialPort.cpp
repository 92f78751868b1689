#include "programmer/SerialPort.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include <QCoreApplication>

#include "base/DebugLog.h"
#include "programmer/DeviceIo.h"

namespace {

// Used where the group cannot be found: the group serial devices have on most systems.
const char kUsualGroup[] = "dialout";

QString SerialText(const char* english, bool translated) {
  return translated ? QCoreApplication::translate("SerialPort", english)
                    : QString::fromUtf8(english);
}

std::string DeviceGroup(const std::string& device) {
  const std::string group = device_io::OwningGroup(device);
  return group.empty() ? kUsualGroup : group;
}

// The reason of a failed open as the end of a sentence about the device.
std::string FailureText(OpenFailure failure, const std::string& device, bool translated) {
  switch (failure) {
    case OpenFailure::NoDevice:
      return SerialText(QT_TRANSLATE_NOOP("SerialPort", "does not exist"), translated)
          .toStdString();
    case OpenFailure::Busy:
      return SerialText(
                 QT_TRANSLATE_NOOP("SerialPort", "the device is busy: another program has it open"),
                 translated)
          .toStdString();
    case OpenFailure::Permission:
      return SerialText(QT_TRANSLATE_NOOP("SerialPort",
                                          "permission denied: %1 belongs to group "
                                          "%2; %3"),
                        translated)
          .arg(QString::fromStdString(device), QString::fromStdString(DeviceGroup(device)),
               QString::fromStdString(AccessAdvice(device, translated)))
          .toStdString();
    case OpenFailure::None:
    case OpenFailure::Other:
      break;
  }
  return {};
}

}  // namespace

std::string AccessAdvice(const std::string& device, bool translated) {
  return SerialText(QT_TRANSLATE_NOOP("SerialPort",
                                      "add yourself with sudo usermod -aG %1 $USER and log in "
                                      "again"),
                    translated)
      .arg(QString::fromStdString(DeviceGroup(device)))
      .toStdString();
}

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
  CloseDevice();
}

int64_t SerialPort::NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SerialPort::SetDevice(const std::string& device) {
  device_ = device;
}

bool SerialPort::Open() {
  Close();
  error_.clear();
  failure_ = OpenFailure::None;
  if (device_.empty()) {
    failure_ = OpenFailure::NoDevice;
    error_ = FailureText(failure_, device_, true);
    DebugLog("Serial port: no device for this port name");
    return false;
  }
  // The device itself, not a ports/ link to it: Qt's lock file is named after what it opens, and
  // two names for one device must not give two programs the same line.
  std::error_code unresolved;
  const std::filesystem::path real = std::filesystem::canonical(device_, unresolved);
  const std::string device = unresolved ? device_ : real.string();
  port_.setPortName(QString::fromStdString(device));
  port_.setBaudRate(QSerialPort::Baud19200);
  port_.setParity(QSerialPort::NoParity);
  port_.setDataBits(QSerialPort::Data8);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setReadBufferSize(kReadBufferSize);
  port_.setFlowControl(QSerialPort::SoftwareControl);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto qtError = port_.error();
    const std::string detail = port_.errorString().toStdString();
    if (qtError == QSerialPort::DeviceNotFoundError) {
      failure_ = OpenFailure::NoDevice;
    } else if (qtError == QSerialPort::PermissionError && device_io::AccessDenied(device_)) {
      failure_ = OpenFailure::Permission;
    } else if (qtError == QSerialPort::PermissionError) {
      failure_ = OpenFailure::Busy;
    } else {
      failure_ = OpenFailure::Other;
    }
    // The device itself: its permissions and group are what the user has to look at.
    error_ = FailureText(failure_, device, true);
    std::string logged = FailureText(failure_, device, false);
    if (failure_ == OpenFailure::Other) {
      error_ = logged = detail.empty() ? "cannot open the device" : detail;
    }
    // The one log line of a failed open, for the window and the command line alike.
    DebugLog("Serial port " + device_ + " cannot be opened: " + logged + " [" + detail + "]");
    return false;
  }
  // Qt's exclusive mode does not hold against root, and its lock file not against a program that
  // uses none; a lock on the open device holds against every other program that locks too.
  if (!device_io::LockExclusively(Handle())) {
    port_.close();
    failure_ = OpenFailure::Busy;
    error_ = FailureText(failure_, device, true);
    DebugLog("Serial port " + device +
             " cannot be opened: " + FailureText(failure_, device, false) + " [locked]");
    return false;
  }
  // A fresh open starts with nothing pending, whatever the device sent while nobody listened.
  port_.clear(QSerialPort::AllDirections);
  opened_ = device;
  lowLatency_ = RequestLowLatency(Handle(), device, sysRoot_, *settingsAccess_);
  if (const std::string said = LowLatencyLine(); !said.empty()) DebugLog("Serial port " + said);
  backlog_.Reset();
  pace_ = LinePace::kUnknown;
  keptReplies_ = 0;
  replyBegun_ = false;
  return true;
}

void SerialPort::CloseDevice() {
  // The adapter's setting goes back while the descriptor still stands for it.
  if (port_.isOpen()) {
    RestoreLatency(Handle(), lowLatency_, *settingsAccess_);
    port_.close();
  }
  lowLatency_ = {};
}

void SerialPort::Close() {
  CloseDevice();
  received_.clear();
  taken_ = 0;
}

bool SerialPort::IsOpen() const {
  return port_.isOpen();
}

int SerialPort::ReadByte() {
  if (BytesWaiting() == 0) return -1;
  return static_cast<unsigned char>(received_[taken_++]);
}

size_t SerialPort::Buffered() {
  if (taken_ == received_.size()) {
    received_.clear();
    taken_ = 0;
  }
  if (port_.isOpen() && port_.bytesAvailable() > 0) received_ += port_.readAll().toStdString();
  return received_.size() - taken_;
}

bool SerialPort::Write(const std::string& bytes) {
  if (!port_.isOpen()) {
    if (error_.empty()) error_ = "port not open";
    return false;
  }
  replyBegun_ = false;
  return HandToDriver(bytes) && HoldForLine(bytes.size());
}

bool SerialPort::HoldForLine(size_t bytes) {
  // A real UART drains at this rate anyway, so on hardware the hold costs nothing.
  backlog_.Add(bytes, NowUs());
  for (int64_t waitUs = backlog_.WaitUs(NowUs()); waitUs > 0 && port_.isOpen();
       waitUs = backlog_.WaitUs(NowUs())) {
    Rest(NowUs() + waitUs);
  }
  return port_.isOpen();
}

bool SerialPort::TakeReply(std::string& reply) {
  if (Buffered() == 0) return false;
  const size_t end = received_.find('#', taken_);
  const size_t stop = end == std::string::npos ? received_.size() : end;
  reply.append(received_, taken_, stop - taken_);
  taken_ = end == std::string::npos ? stop : end + 1;
  return end != std::string::npos;
}

bool SerialPort::ReadReply(int expectedLength, int timeoutMs, std::string& reply) {
  const int64_t deadlineUs = NowUs() + int64_t{std::max(timeoutMs, 0)} * 1000;
  if (!replyBegun_) {
    const auto total = static_cast<size_t>(std::max(expectedLength, 0)) + 1;
    pacer_.Start(total, backlog_.ReplyDueUs(total));
    replyBegun_ = true;
  }
  // No time left to wait: still one look, for what came up to the caller's deadline.
  if (timeoutMs <= 0 && port_.isOpen()) TakeReady();
  for (;;) {
    if (TakeReply(reply)) {
      if (LearnsPace() && pace_ == LinePace::kUnknown) {
        // One early reply proves a faster device; a late look proves nothing of the kind on a
        // busy machine, so keeping the rate takes several replies in a row.
        const LinePace shown = pacer_.PaceOfComplete(NowUs(), backlog_);
        keptReplies_ = shown == LinePace::kKept ? keptReplies_ + 1 : 0;
        if (shown == LinePace::kFaster || keptReplies_ >= kKeptToLearn) pace_ = shown;
        if (pace_ != LinePace::kUnknown) {
          DebugLog(
              "Serial port " + device_ + ": replies come " +
              (pace_ == LinePace::kKept ? "at the line's rate" : "faster than the line's rate"));
        }
      }
      return true;
    }
    const int64_t nowUs = NowUs();
    if (!port_.isOpen() || nowUs >= deadlineUs) return false;
    const ReplyPacer::Wait wait = pacer_.Next(reply.size(), nowUs, backlog_, pace_);
    if (wait.rest) {
      // A late device costs only the look; the wait goes on for its next byte.
      if (!Rest(std::min(wait.untilUs, deadlineUs))) return false;
      TakeReady();
    } else if (!AwaitBytes(deadlineUs)) {
      return false;
    }
  }
}

std::string SerialPort::LastError() const {
  return error_;
}

void SerialPort::Fail(const std::string& reason) {
  error_ = reason;
  DebugLog("Serial port " + device_ + ": " + reason + " [" + port_.errorString().toStdString() +
           "]; port closed");
  Close();
}
