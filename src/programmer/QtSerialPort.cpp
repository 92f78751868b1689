#include "programmer/QtSerialPort.h"

#include <poll.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "base/DebugLog.h"
#include "programmer/DeviceIo.h"
#include "programmer/QtClock.h"

void LineBacklog::Add(size_t bytes, int64_t nowUs) {
  if (baud_ <= 0) return;
  // An idle line starts sending now, not back when it fell idle.
  freeNs_ = std::max(freeNs_, nowUs * 1000) + LineNs(bytes);
}

int64_t LineBacklog::WaitUs(int64_t nowUs) const {
  if (baud_ <= 0) return 0;
  const int64_t owedNs = freeNs_ - nowUs * 1000 - LineNs(kTransmitBuffer);
  return owedNs > 0 ? (owedNs + 999) / 1000 : 0;
}

int64_t LineBacklog::ReplyDueUs(size_t bytes) const {
  if (baud_ <= 0) return 0;
  return (freeNs_ + LineNs(bytes)) / 1000;
}

int64_t LineBacklog::LineNs(size_t bytes) const {
  return static_cast<int64_t>(bytes) * 10'000'000'000LL / baud_;
}

namespace {

const char kPermissionText[] = "permission denied (is the user in the dialout group?)";
const char kNoDeviceText[] = "no such device";
const char kUnpluggedText[] = "device unplugged";

// On CLOCK_MONOTONIC, as the rest before a reply is.
int64_t NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

QtSerialPort::QtSerialPort() {
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError e) { OnError(e); });
}

QtSerialPort::~QtSerialPort() {
  Close();
}

void QtSerialPort::SetDevice(const std::string& device) {
  device_ = device;
}

bool QtSerialPort::Open() {
  Close();
  error_.clear();
  if (device_.empty()) {
    error_ = kNoDeviceText;
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
      error_ = kNoDeviceText;
    } else if (qtError == QSerialPort::PermissionError &&
               ::access(device_.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
      error_ = kPermissionText;
    } else if (qtError == QSerialPort::PermissionError) {
      error_ = "device busy (another program has it open)";
    } else {
      error_ = detail.empty() ? "cannot open the device" : detail;
    }
    // The one log line of a failed open, for the window and the command line alike.
    DebugLog("Serial port " + device_ + " cannot be opened: " + error_ +
             (error_ == kPermissionText ? std::string(" - ") + kDialoutAdvice : "") + " [" +
             detail + "]");
    return false;
  }
  // Qt's exclusive mode does not hold against root, and its lock file not against a program that
  // uses none; a lock on the open device holds against every other program that locks too.
  if (::flock(static_cast<int>(port_.handle()), LOCK_EX | LOCK_NB) != 0) {
    port_.close();
    error_ = "device busy (another program has it open)";
    DebugLog("Serial port " + device + " cannot be opened: " + error_ + " [locked]");
    return false;
  }
  // A fresh open starts with nothing pending, whatever the device sent while nobody listened.
  port_.clear(QSerialPort::AllDirections);
  backlog_.Reset();
  pace_ = Pace::kUnknown;
  return true;
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
  received_.clear();
  taken_ = 0;
  emptiedUs_ = INT64_MIN / 2;
}

bool QtSerialPort::IsOpen() const {
  return port_.isOpen();
}

int QtSerialPort::BytesWaiting() {
  if (!port_.isOpen()) return 0;
  // Bytes still in the driver count too, or a late reply would slip past the flush before a
  // command. A zero-timeout wait pulls them in without blocking; through Qt it is asked only
  // when the device has something (data or an error), since an empty wait costs a timeout
  // error's text.
  if (Buffered() == 0) {
    if (!HaveEventLoop()) {
      // The look before the next command comes an instant after the reply's read emptied the
      // driver; within one byte time on the line that look still stands, and asking again would
      // cost a system call per exchange for nothing.
      if (NowUs() - emptiedUs_ >= kLookStandsUs) Receive(0);
    } else if (DriverHas(POLLIN)) {
      port_.waitForReadyRead(0);
    }
  }
  return port_.isOpen() ? static_cast<int>(Buffered()) : 0;
}

int QtSerialPort::ReadByte() {
  if (BytesWaiting() == 0) return -1;
  return static_cast<unsigned char>(received_[taken_++]);
}

size_t QtSerialPort::Buffered() {
  if (taken_ == received_.size()) {
    received_.clear();
    taken_ = 0;
  }
  if (port_.isOpen() && port_.bytesAvailable() > 0) received_ += port_.readAll().toStdString();
  return received_.size() - taken_;
}

void QtSerialPort::Receive(int timeoutMs) {
  const device_io::Result result = device_io::Receive(Handle(), timeoutMs, received_);
  // Every outcome but a failure left the driver empty.
  emptiedUs_ = NowUs();
  if (result.status == device_io::Status::kHungUp) {
    Fail(kUnpluggedText);
  } else if (result.status == device_io::Status::kFailed) {
    Fail(std::string("read failed: ") + std::strerror(result.error));
  }
}

bool QtSerialPort::Write(const std::string& bytes) {
  if (!port_.isOpen()) {
    if (error_.empty()) error_ = "port not open";
    return false;
  }
  return HandToDriver(bytes) && HoldForLine(bytes.size());
}

bool QtSerialPort::HandToDriver(const std::string& bytes) {
  // The caller's reply deadline starts when its data is on its way, and nothing may be lost
  // when the line is slow or held by XOFF.
  const bool direct = !HaveEventLoop();
  if (!direct && port_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                     static_cast<qint64>(bytes.size())) {
    Fail("write refused: " + port_.errorString().toStdString());
    return false;
  }
  // A command usually fits the driver at once: writing it now spares a turn of the event loop.
  // Only when the driver has room, though: a full one (the device held the line with XOFF)
  // would refuse the write, and Qt takes that refusal for a lost device.
  if (!direct && DriverHas(POLLOUT)) port_.flush();
  size_t done = 0;
  auto pending = [&] {
    if (!port_.isOpen()) return qint64{0};
    return direct ? static_cast<qint64>(bytes.size() - done) : port_.bytesToWrite();
  };
  QElapsedTimer sinceProgress;
  sinceProgress.start();
  for (qint64 before = pending(); before > 0;) {
    if (sinceProgress.elapsed() >= kWriteStallMs) {
      error_ = "transmit stalled (the device holds the line with XOFF?)";
      DebugLog("Serial port " + device_ + ": " + error_);
      return false;
    }
    if (direct) {
      const device_io::Result sent = device_io::Send(Handle(), bytes, done, 100);
      if (sent.status == device_io::Status::kHungUp) Fail(kUnpluggedText);
      if (sent.status == device_io::Status::kFailed)
        Fail(std::string("write refused: ") + std::strerror(sent.error));
    } else {
      WaitEvents(100, Until::kWritten);
    }
    const qint64 now = pending();
    if (now < before) sinceProgress.restart();
    before = now;
  }
  return port_.isOpen();
}

bool QtSerialPort::HoldForLine(size_t bytes) {
  // A real UART drains at this rate anyway, so on hardware the hold costs nothing.
  backlog_.Add(bytes, NowUs());
  for (int64_t waitUs = backlog_.WaitUs(NowUs()); waitUs > 0 && port_.isOpen();
       waitUs = backlog_.WaitUs(NowUs())) {
    WaitEvents(static_cast<int>((waitUs + 999) / 1000), Until::kClosed);
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
  if (!HaveEventLoop()) {
    Receive(timeoutMs);
    return port_.isOpen() && Buffered() > 0;
  }
  WaitEvents(timeoutMs, Until::kData);
  return BytesWaiting() > 0;
}

bool QtSerialPort::WaitForReply(int bytes, int timeoutMs) {
  const auto expected = static_cast<size_t>(std::max(bytes, 1));
  const int64_t dueUs = backlog_.ReplyDueUs(expected);
  if (HaveEventLoop() || dueUs == 0 || timeoutMs <= 0 || !port_.isOpen() || Buffered() > 0) {
    return WaitForData(timeoutMs);
  }
  if (pace_ != Pace::kKept) {
    const bool got = WaitForData(timeoutMs);
    // A reply complete before the line could have carried it comes from a device faster than the
    // line (a simulator run unpaced): resting until the due time would only slow it down.
    if (pace_ == Pace::kUnknown && got && Buffered() >= expected) {
      pace_ = NowUs() + backlog_.LineUs(1) >= dueUs ? Pace::kKept : Pace::kFaster;
      DebugLog("Serial port " + device_ + ": replies come " +
               (pace_ == Pace::kKept ? "at the line's rate" : "faster than the line's rate"));
    }
    return got;
  }
  // Nothing of the reply can be complete before the line has carried it: rest until then and
  // take it with one read, instead of waking in poll for its first piece. A late device costs
  // only the look; the wait goes on in poll up to the caller's deadline.
  const int64_t startUs = NowUs();
  const int64_t wakeUs = std::min(dueUs + kReplySlackUs, startUs + int64_t{timeoutMs} * 1000);
  const timespec wake{static_cast<time_t>(wakeUs / 1'000'000),
                      static_cast<long>(wakeUs % 1'000'000 * 1000)};
  // An interruption (Ctrl-C) ends the rest early; the caller breathes soon after.
  ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
  if (device_io::ReceiveReady(Handle(), received_).status == device_io::Status::kOk) {
    emptiedUs_ = NowUs();
    return true;
  }
  const auto leftMs = static_cast<int>(timeoutMs - (NowUs() - startUs) / 1000);
  return leftMs > 0 ? WaitForData(leftMs) : BytesWaiting() > 0;
}

bool QtSerialPort::DriverHas(short events) const {
  pollfd device{static_cast<int>(port_.handle()), events, 0};
  return ::poll(&device, 1, 0) > 0 && device.revents != 0;
}

bool QtSerialPort::HaveEventLoop() const {
  return eventLoopWaits_ && QCoreApplication::instance() != nullptr;
}

std::string QtSerialPort::LastError() const {
  return error_;
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
  if (!port_.isOpen()) return;
  // Qt also reports a write the driver refused for the moment (EAGAIN: the device held the line
  // with XOFF an instant after poll found room) as a resource error. The device is still there
  // (poll reports no hang-up or error) and the data is still queued: the write goes on when the
  // line is released. Taking it for an unplugged device broke off programming runs under load.
  if (error == QSerialPort::ResourceError && port_.bytesToWrite() > 0 && !DriverHas(0)) {
    DebugLog("Serial port " + device_ + ": write refused for the moment [" +
             port_.errorString().toStdString() + "]; waiting for the line");
    port_.clearError();
    return;
  }
  // An unplugged device shows up as a read or resource error that Qt raises again on every turn
  // of the event loop while the port stays open, so close at once.
  Fail(kUnpluggedText);
}

void QtSerialPort::Fail(const std::string& reason) {
  error_ = reason;
  DebugLog("Serial port " + device_ + ": " + reason + " [" + port_.errorString().toStdString() +
           "]; port closed");
  Close();
}

void QtSerialPort::WaitEvents(int ms, Until until) {
  WaitForEvents(ms, HaveEventLoop(), [&](QEventLoop& loop) {
    if (until == Until::kData) {
      QObject::connect(&port_, &QSerialPort::readyRead, &loop, &QEventLoop::quit);
    } else if (until == Until::kWritten) {
      QObject::connect(&port_, &QSerialPort::bytesWritten, &loop, &QEventLoop::quit);
    }
    QObject::connect(&port_, &QSerialPort::aboutToClose, &loop, &QEventLoop::quit);
  });
}
