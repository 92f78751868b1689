// The console's link services, and opening the hand control with messages a user can act on.
#include "Session.h"

#include <sys/resource.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <memory>

#include "Commands.h"
#include "Console.h"
#include "programmer/Link.h"
#include "programmer/PortNames.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

// Counts what crosses the line, for --stats and the benchmark.
class CountingPort : public ISerialPort {
 public:
  explicit CountingPort(ISerialPort& inner) : inner_(inner) {}
  void SetDevice(const std::string& device) override { inner_.SetDevice(device); }
  bool Open() override { return inner_.Open(); }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  int BytesWaiting() override { return inner_.BytesWaiting(); }
  int ReadByte() override {
    int byte = inner_.ReadByte();
    if (byte >= 0) ++received;
    return byte;
  }
  bool Write(const std::string& bytes) override {
    sent += bytes.size();
    return inner_.Write(bytes);
  }
  bool WaitForData(int timeoutMs) override { return inner_.WaitForData(timeoutMs); }
  std::string LastError() const override { return inner_.LastError(); }

  unsigned long long sent = 0;
  unsigned long long received = 0;

 private:
  ISerialPort& inner_;
};

std::unique_ptr<QtSerialPort> gSerial;
std::unique_ptr<CountingPort> gCounting;
std::unique_ptr<QtClock> gClockImpl;
bool gStatsWanted = false;

bool IsComName(const QString& text) {
  static const QRegularExpression re("^COM[0-9]+$", QRegularExpression::CaseInsensitiveOption);
  return re.match(text).hasMatch();
}

QString DeviceProblemHint(const std::string& device, const std::string& error) {
  QFileInfo info(QString::fromStdString(device));
  if (!info.exists())
    return "The device " + info.filePath() +
           " does not exist: check the cable or the USB-serial adapter, or list the ports with "
           "'padflasher-cli ports'.";
  QString lower = QString::fromStdString(error).toLower();
  if (lower.contains("permission") || lower.contains("access"))
    return "Permission denied on " + info.filePath() +
           ": add yourself to the dialout group (sudo adduser $USER dialout) and log in again.";
  if (lower.contains("busy") || lower.contains("lock"))
    return info.filePath() + " is in use by another program: close it and try again.";
  return "Could not open " + info.filePath() +
         (error.empty() ? "" : ": " + QString::fromStdString(error)) + ".";
}

}  // namespace

void InstallConsoleServices() {
  gSerial = std::make_unique<QtSerialPort>();
  gCounting = std::make_unique<CountingPort>(*gSerial);
  gClockImpl = std::make_unique<QtClock>();
  SetLinkServices(gCounting.get(), gClockImpl.get(), &ConsoleHostInstance());
}

void SetStatsWanted(bool wanted) {
  gStatsWanted = wanted;
}

void PrintStatsIfWanted() {
  if (!gStatsWanted || !gCounting) return;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  ConsoleHostInstance().EndProgressLine();
  std::fprintf(stderr, "stats: sent %llu bytes, received %llu bytes, cpu %.3f s\n", gCounting->sent,
               gCounting->received, cpu);
}

QString PortOptionDescription() {
  return "Serial port: a COM name (COM1-COM16, resolved through ports/ in the program folder "
         "first), a device path such as /dev/ttyUSB0, a kernel name such as ttyUSB0, or a name "
         "from /dev/serial/by-id. Default: COMPORT of PadFlasher.ini.";
}

int OpenHandControl(const QString& portArgument) {
  QString port = portArgument.isEmpty() ? QString::fromStdString(gComPort) : portArgument;
  if (port.isEmpty()) {
    PrintError(
        "no serial port given: use --port COMn or --port /dev/ttyUSB0 (or set COMPORT "
        "in PadFlasher.ini).");
    return kExitUsage;
  }
  const std::string device = ResolvePortArgumentIn(port.toStdString(), PortRoots{gProgramFolder});
  if (IsComName(port)) {
    if (device.empty()) {
      PrintError(port +
                 " does not stand for any serial device on this machine; list the ports "
                 "with 'padflasher-cli ports' or give a device path.");
      return kExitFailed;
    }
    gComPort = port.toUpper().toStdString();
  } else {
    gComPort = device;
  }
  QString named =
      port + (port.toStdString() == device ? "" : " (" + QString::fromStdString(device) + ")");

  ISerialPort& link = LinkPort();
  CloseComPort();
  link.SetDevice(device);
  if (!link.Open()) {
    PrintError("Error Opening COM Port " + named + ". " +
               DeviceProblemHint(device, link.LastError()));
    return kExitFailed;
  }
  if (!PingHandControl()) {
    CloseComPort();
    PrintError("the hand control on " + named + " did not answer. Nothing was changed.");
    LinkHost().ShowProgrammingModeHelp();
    return kExitFailed;
  }
  return kExitOk;
}
