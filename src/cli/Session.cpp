// The console's link services, and opening the hand control with messages a user can act on.
#include "Session.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "Commands.h"
#include "Console.h"
#include "PortArgument.h"
#include "Process.h"
#include "Report.h"
#include "base/SerialTrace.h"
#include "programmer/Link.h"
#include "programmer/PortNames.h"
#include "programmer/QtClock.h"
#include "programmer/SerialPortPosix.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

// Watches what crosses the line: counts it for --stats, the benchmark and --json, shows it
// with --verbose and records it with --trace.
class WatchedPort : public ISerialPort {
 public:
  explicit WatchedPort(SerialPort& inner) : inner_(inner) {}
  void SetDevice(const std::string& device) override { inner_.SetDevice(device); }
  bool Open() override {
    if (!inner_.Open()) return false;
    // What the adapter was asked for belongs with the timing the trace shows.
    if (const std::string said = inner_.LowLatencyLine(); !said.empty()) trace.Comment(said);
    return true;
  }
  void Close() override {
    ShowPartialReply();
    inner_.Close();
  }
  bool IsOpen() const override { return inner_.IsOpen(); }
  int BytesWaiting() override { return inner_.BytesWaiting(); }
  int ReadByte() override {
    const int byte = inner_.ReadByte();
    if (byte < 0) return byte;
    const char c = static_cast<char>(byte);
    Received(c == '#' ? std::string_view() : std::string_view(&c, 1), c == '#');
    return byte;
  }
  bool ReadReply(int expectedLength, int timeoutMs, std::string& reply) override {
    const size_t before = reply.size();
    const bool complete = inner_.ReadReply(expectedLength, timeoutMs, reply);
    Received(std::string_view(reply).substr(before), complete);
    return complete;
  }
  bool Write(const std::string& bytes) override {
    counts.sent += bytes.size();
    if (trace.IsOpen())
      trace.Record(SerialTrace::Direction::ToDevice, bytes, SerialTrace::NowUnixUs());
    if (verbose) {
      ShowPartialReply();
      const bool command = bytes.size() == 11 && bytes.rfind("@@", 0) == 0;
      Show("> " + (command ? bytes : DataBytes(bytes)));
    }
    return inner_.Write(bytes);
  }
  bool WaitForData(int timeoutMs) override { return inner_.WaitForData(timeoutMs); }
  std::string LastError() const override { return inner_.LastError(); }

  LineCounts counts;
  bool verbose = false;
  SerialTrace trace;

 private:
  static void Show(const std::string& line) {
    ConsoleHostInstance().EndProgressLine();
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  // Bytes of a reply, and its "#" when it ended.
  void Received(std::string_view bytes, bool hash) {
    counts.received += bytes.size() + (hash ? 1 : 0);
    if (trace.IsOpen() && (hash || !bytes.empty())) {
      std::string crossed(bytes);
      if (hash) crossed += '#';
      trace.Record(SerialTrace::Direction::ToHost, crossed, SerialTrace::NowUnixUs());
    }
    if (!verbose) return;
    reply_ += bytes;
    if (hash) {
      Show("< " + Abbreviated(reply_, "#"));
      reply_.clear();
    }
  }
  // Bytes that came without a "#" (a cut-off reply, noise) are shown before the next command.
  void ShowPartialReply() {
    if (verbose && !reply_.empty()) Show("< " + Abbreviated(reply_, " (no #)"));
    reply_.clear();
  }
  static std::string Abbreviated(const std::string& text, const std::string& end) {
    std::string shown;
    for (char c : text) shown += c >= 0x20 && c < 0x7F ? c : '.';
    if (shown.size() <= 40) return shown + end;
    return shown.substr(0, 16) + "..." + shown.substr(shown.size() - 8) + end + "  (" +
           std::to_string(shown.size()) + " characters)";
  }
  static std::string DataBytes(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (size_t i = 0; i < bytes.size() && i < 8; ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      hex += std::string(i ? " " : "") + kHex[b >> 4] + kHex[b & 0xF];
    }
    return std::to_string(bytes.size()) + " data bytes: " + hex + (bytes.size() > 8 ? " ..." : "");
  }

  SerialPort& inner_;
  std::string reply_;
};

std::unique_ptr<PosixSerialPort> gSerial;
std::unique_ptr<WatchedPort> gWatched;
std::unique_ptr<QtClock> gClockImpl;
bool gStatsWanted = false;
LineCounts gWorkerCounts;

// Tests may give the link a port of their own, which says nothing of its kind of failure.
OpenFailure LastOpenFailure(const ISerialPort& link) {
  return gSerial && &link == gWatched.get() ? gSerial->LastOpenFailure() : OpenFailure::Other;
}

QString DeviceProblemHint(const std::string& device, OpenFailure failure,
                          const std::string& error) {
  QFileInfo info(QString::fromStdString(device));
  if (!info.exists())
    return Cli::tr(
               "The device %1 does not exist: check the cable or the USB-serial adapter, or "
               "list the ports with 'padflasher-cli ports'.")
        .arg(info.filePath());
  if (failure == OpenFailure::Permission)
    return Cli::tr("Permission denied on %1: %2.")
        .arg(info.filePath(), QString::fromStdString(AccessAdvice(device)));
  if (failure == OpenFailure::Busy)
    return Cli::tr("%1 is in use by another program: close it and try again.").arg(info.filePath());
  if (error.empty()) return Cli::tr("Could not open %1.").arg(info.filePath());
  return Cli::tr("Could not open %1: %2.").arg(info.filePath(), QString::fromStdString(error));
}

}  // namespace

void InstallConsoleServices() {
  // No window to keep painting: waits block in the port, and the console breathes between them.
  gSerial = std::make_unique<PosixSerialPort>();
  // Its rests before replies end to the microsecond, not up to the default 50 us late.
  WakeTimersPrecisely();
  gWatched = std::make_unique<WatchedPort>(*gSerial);
  gClockImpl = std::make_unique<QtClock>();
  gClockImpl->SetEventLoopWaits(false);
  SetLinkServices(gWatched.get(), gClockImpl.get(), &ConsoleHostInstance());
}

void SetStatsWanted(bool wanted) {
  gStatsWanted = wanted;
}

void PrintStatsIfWanted() {
  if (!gStatsWanted || !gWatched) return;
  const double cpu = ProcessCpuSeconds();
  ConsoleHostInstance().EndProgressLine();
  std::fprintf(stderr, "stats: sent %llu bytes, received %llu bytes, cpu %.3f s\n",
               gWatched->counts.sent, gWatched->counts.received, cpu);
}

LineCounts SerialLineCounts() {
  LineCounts counts = gWatched ? gWatched->counts : LineCounts{};
  counts.sent += gWorkerCounts.sent;
  counts.received += gWorkerCounts.received;
  return counts;
}

void AddWorkerLineCounts(long long sent, long long received) {
  gWorkerCounts.sent += static_cast<unsigned long long>(std::max(sent, 0LL));
  gWorkerCounts.received += static_cast<unsigned long long>(std::max(received, 0LL));
}

void SetVerbose(bool verbose) {
  if (gWatched) gWatched->verbose = verbose;
}

bool StartTrace(const QString& file) {
  std::string error;
  if (!OutputFileAllowed(file)) return false;
  if (!gWatched ||
      !gWatched->trace.Open(file.toStdString(), "padflasher-cli " + ProgramVersionText(), error)) {
    PrintError(Cli::tr("cannot write the trace %1: %2").arg(file, QString::fromStdString(error)));
    return false;
  }
  return true;
}

bool EndTrace() {
  std::string error;
  if (!gWatched || gWatched->trace.Close(error)) return true;
  PrintError(Cli::tr("%1; the trace is incomplete.").arg(QString::fromStdString(error)));
  return false;
}

QCommandLineOption JsonOption() {
  return {"json",
          Cli::tr("At the end print one JSON document on stdout (result, exit code, port, device, "
                  "firmware, seconds, bytes; see the README); result lines go to stderr "
                  "instead.")};
}

QString PortOptionDescription() {
  return Cli::tr(
      "Serial port: a COM name (COM1-COM16, resolved through ports/ in the program folder "
      "first), a device path such as /dev/ttyUSB0, a kernel name such as ttyUSB0, a name "
      "from /dev/serial/by-id, or usb:VID:PID[:SERIAL] for the one USB adapter with that "
      "identity. Default: COMPORT of PadFlasher.ini. Given more than once, the command runs on "
      "every port at once, each in a process of its own with its own debug log and trace (named "
      "after the port; see the README), and no question is asked: the no-terminal policy answers "
      "for each.");
}

int OpenHandControl(const QString& portArgument) {
  QString port = portArgument.isEmpty() ? QString::fromStdString(gComPort) : portArgument;
  if (port.isEmpty()) {
    PrintError(
        Cli::tr("no serial port given: use --port COMn or --port /dev/ttyUSB0 (or set COMPORT "
                "in PadFlasher.ini)."));
    return kExitUsage;
  }
  std::string device;
  if (int code = FindPortDevice(port, device); code != kExitOk) return code;
  gComPort = IsComPortName(port.toStdString()) ? port.toUpper().toStdString() : device;
  ReportField("port", port);
  ReportField("device", QString::fromStdString(device));
  ReportField("firmware_before", QJsonValue::Null);
  ReportField("firmware_after", QJsonValue::Null);
  QString named =
      port + (port.toStdString() == device ? "" : " (" + QString::fromStdString(device) + ")");

  ISerialPort& link = LinkPort();
  CloseComPort();
  link.SetDevice(device);
  if (!link.Open()) {
    PrintError(Cli::tr("Error Opening COM Port %1. %2")
                   .arg(named, DeviceProblemHint(device, LastOpenFailure(link), link.LastError())));
    return kExitFailed;
  }
  if (!PingHandControl()) {
    CloseComPort();
    PrintError(Cli::tr("the hand control on %1 did not answer. Nothing was changed.").arg(named));
    LinkHost().ShowProgrammingModeHelp();
    return kExitFailed;
  }
  return kExitOk;
}
