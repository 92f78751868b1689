#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "programmer/LowLatency.h"

namespace {

class SystemAccess : public SerialSettingsAccess {
 public:
  int Read(int fd, SerialSettings& settings) override {
    serial_struct record{};
    if (::ioctl(fd, TIOCGSERIAL, &record) != 0) return errno;
    settings.record.assign(reinterpret_cast<const char*>(&record), sizeof record);
    settings.lowLatency = (record.flags & ASYNC_LOW_LATENCY) != 0;
    return 0;
  }
  int Write(int fd, const SerialSettings& settings) override {
    serial_struct record{};
    if (settings.record.size() != sizeof record) return EINVAL;
    std::memcpy(&record, settings.record.data(), sizeof record);
    record.flags =
        settings.lowLatency ? record.flags | ASYNC_LOW_LATENCY : record.flags & ~ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &record) == 0 ? 0 : errno;
  }
};

// The name a sysfs link leads to ("usb-serial", "ftdi_sio"); empty when there is no link.
std::string LinkName(const std::filesystem::path& link) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  return error ? std::string() : target.filename().string();
}

// The driver's latency timer in ms, or -1 where it has none or says something else than a
// small number.
int LatencyTimer(const std::filesystem::path& port) {
  std::ifstream file(port / "latency_timer");
  char text[8] = {};
  file.read(text, sizeof text - 1);
  int ms = 0;
  int digits = 0;
  for (const char* c = text; *c >= '0' && *c <= '9' && digits < 4; ++c, ++digits) {
    ms = ms * 10 + (*c - '0');
  }
  return digits > 0 && ms <= 255 ? ms : -1;
}

}  // namespace

SerialSettingsAccess& SystemSerialSettings() {
  static SystemAccess access;
  return access;
}

LowLatencyReport RequestLowLatency(int fd, const std::string& device, const std::string& sysRoot,
                                   SerialSettingsAccess& access) {
  using Outcome = LowLatencyReport::Outcome;
  LowLatencyReport report;
  const std::filesystem::path port = std::filesystem::path(sysRoot) / "class" / "tty" /
                                     std::filesystem::path(device).filename() / "device";
  if (LinkName(port / "subsystem") != "usb-serial") return report;
  report.driver = LinkName(port / "driver");
  report.timerBeforeMs = LatencyTimer(port);
  report.timerAfterMs = report.timerBeforeMs;
  report.error = access.Read(fd, report.before);
  if (report.error != 0) {
    report.outcome = Outcome::kFailed;
    return report;
  }
  if (report.before.lowLatency) {
    report.outcome = Outcome::kWasOn;
    return report;
  }
  SerialSettings wanted = report.before;
  wanted.lowLatency = true;
  report.error = access.Write(fd, wanted);
  if (report.error != 0) {
    report.outcome = Outcome::kFailed;
    return report;
  }
  // Written, so put back on closing whatever the read-back says.
  report.restore = true;
  SerialSettings now;
  report.error = access.Read(fd, now);
  report.outcome = report.error != 0 ? Outcome::kFailed
                   : now.lowLatency  ? Outcome::kTurnedOn
                                     : Outcome::kNotKept;
  report.timerAfterMs = LatencyTimer(port);
  return report;
}

void RestoreLatency(int fd, const LowLatencyReport& report, SerialSettingsAccess& access) {
  if (!report.restore) return;
  // Read again and change only the flag, as on opening; a device gone meanwhile keeps nothing.
  SerialSettings now;
  if (access.Read(fd, now) != 0) return;
  now.lowLatency = report.before.lowLatency;
  access.Write(fd, now);
}
