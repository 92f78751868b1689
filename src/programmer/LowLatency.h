#pragma once
// Asking a USB-serial adapter for low latency. An adapter hands received bytes on in USB
// packets; an FTDI chip holds up to 62 of them until its latency timer runs out (16 ms by
// default), and with the hand control's strict command/reply exchange that timer sets the pace:
// a checksum exchange takes 16 ms instead of its 7.3 ms of line time. The serial settings' low
// latency flag makes ftdi_sio use 1 ms; other drivers accept the call and keep nothing, so only
// the settings read back tell. Nothing of this may keep a port from opening.
#include <string>

// A port's serial settings as its driver reports them: the low latency flag, and the driver's
// whole record, which is written back as it was read apart from the flag (the usb-serial core
// refuses an unprivileged change of anything else).
struct SerialSettings {
  bool lowLatency = false;
  std::string record;
};

// The two requests to the driver; tests put a made-up driver in their place. Each returns 0 or
// the system's error number.
class SerialSettingsAccess {
 public:
  virtual ~SerialSettingsAccess() = default;
  virtual int Read(int fd, SerialSettings& settings) = 0;
  virtual int Write(int fd, const SerialSettings& settings) = 0;
};
// The system's own.
SerialSettingsAccess& SystemSerialSettings();

struct LowLatencyReport {
  enum class Outcome {
    kNotUsbSerial,  // a UART, a pseudo-terminal, a CDC-ACM modem: nothing asked
    kTurnedOn,      // set now, and put back on closing
    kWasOn,         // already set (by a udev rule, another program)
    kNotKept,       // the driver took the request and kept nothing
    kFailed,        // the driver refused; error holds why
  };
  Outcome outcome = Outcome::kNotUsbSerial;
  std::string driver;      // "ftdi_sio"
  int timerBeforeMs = -1;  // the driver's latency_timer, where it has one
  int timerAfterMs = -1;
  int error = 0;
  SerialSettings before;  // as read, for putting back
  bool restore = false;   // the flag was written: put it back on closing
};

// Asks the driver of the open device (its path, as opened) for low latency; sysRoot is "/sys"
// but for tests.
LowLatencyReport RequestLowLatency(int fd, const std::string& device, const std::string& sysRoot,
                                   SerialSettingsAccess& access);
// Puts the flag back as it was before RequestLowLatency set it.
void RestoreLatency(int fd, const LowLatencyReport& report, SerialSettingsAccess& access);
// What happened, on one line for the debug log and the serial trace: "/dev/ttyUSB0: ftdi_sio,
// latency timer 16 ms -> 1 ms (low latency on)". Empty when nothing was asked.
std::string LowLatencyText(const std::string& device, const LowLatencyReport& report);
