// Asking a USB-serial adapter for low latency, against made-up drivers and sysfs trees.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "FakeSerialTree.h"
#include "HcsimProcess.h"
#include "TempFolder.h"
#include "programmer/LowLatency.h"
#include "programmer/QtClock.h"
#include "programmer/SerialPortPosix.h"

namespace {

constexpr const char* kPortFolder = "sys/devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0";

// A usb-serial driver: ftdi_sio keeps the flag and shows latency_timer 1 while it is set;
// others take the call and keep nothing. The record it reports must come back unchanged.
class FakeDriver : public SerialSettingsAccess {
 public:
  FakeDriver(FakeSerialTree& tree, bool keepsFlag) : tree_(tree), keepsFlag_(keepsFlag) {}
  int Read(int, SerialSettings& settings) override {
    ++reads;
    if (readError) return readError;
    settings = {lowLatency, kRecord};
    return 0;
  }
  int Write(int, const SerialSettings& settings) override {
    ++writes;
    if (writeError) return writeError;
    if (settings.record != kRecord) ++changedRecords;
    if (!keepsFlag_) return 0;
    lowLatency = settings.lowLatency;
    if (hasTimer)
      tree_.Write(std::string(kPortFolder) + "/latency_timer", lowLatency ? "1\n" : "16\n");
    return 0;
  }

  static constexpr const char* kRecord = "close_delay 50, closing_wait 3000";
  bool lowLatency = false;
  bool hasTimer = true;
  int readError = 0, writeError = 0;
  int reads = 0, writes = 0, changedRecords = 0;

 private:
  FakeSerialTree& tree_;
  bool keepsFlag_;
};

// sys/class/tty/NAME as the kernel shows a usb-serial port of driver.
void UsbSerialPort(FakeSerialTree& tree, const std::string& name, const char* driver,
                   const char* timer) {
  tree.Tty(name, "../../../devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0", nullptr, false);
  tree.Link("../../../../../../bus/usb-serial", std::string(kPortFolder) + "/subsystem");
  tree.Link(std::string("../../../../../../bus/usb-serial/drivers/") + driver,
            std::string(kPortFolder) + "/driver");
  if (timer) tree.Write(std::string(kPortFolder) + "/latency_timer", timer);
}

std::string Timer(FakeSerialTree& tree) {
  QFile file(QString::fromStdString(tree.Path(std::string(kPortFolder) + "/latency_timer")));
  return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toStdString() : "";
}

TEST(LowLatency, IsAskedForRecordedInOneLineAndPutBack) {
  struct Case {
    const char* name;
    const char* driver;  // nullptr: a UART, no usb-serial device
    bool keepsFlag;
    bool startsOn;
    int readError, writeError;
    std::string line;
    bool onWhileOpen;
    std::string timerWhileOpen;
    std::string timerAfterClose;
  };
  const Case cases[] = {
      {"ftdi_sio takes it", "ftdi_sio", true, false, 0, 0,
       "/dev/ttyUSB0: ftdi_sio, latency timer 16 ms -> 1 ms (low latency on)", true, "1", "16"},
      {"already on (a udev rule)", "ftdi_sio", true, true, 0, 0,
       "/dev/ttyUSB0: ftdi_sio, latency timer 1 ms (low latency was on already)", true, "1", "1"},
      {"a driver without the flag", "cp210x", false, false, 0, 0,
       "/dev/ttyUSB0: cp210x does not support low latency", false, "", ""},
      {"not permitted", "ftdi_sio", true, false, 0, EPERM,
       "/dev/ttyUSB0: ftdi_sio, low latency not set: Operation not permitted", false, "16", "16"},
      {"no serial settings at all", "ch341", true, false, ENOTTY, 0,
       "/dev/ttyUSB0: ch341, low latency not set: Inappropriate ioctl for device", false, "", ""},
      {"refused as invalid", "pl2303", true, false, 0, EINVAL,
       "/dev/ttyUSB0: pl2303, low latency not set: Invalid argument", false, "", ""},
      {"a UART is left alone", nullptr, true, false, 0, 0, "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSerialTree tree;
    const bool ftdi = c.driver && std::string(c.driver) == "ftdi_sio";
    if (c.driver) {
      UsbSerialPort(tree, "ttyUSB0", c.driver, ftdi ? (c.startsOn ? "1\n" : "16\n") : nullptr);
    } else {
      tree.Tty("ttyUSB0", "../../../devices/platform/serial8250", "4", false);
    }
    FakeDriver driver(tree, c.keepsFlag);
    driver.hasTimer = ftdi;
    driver.lowLatency = c.startsOn;
    driver.readError = c.readError;
    driver.writeError = c.writeError;

    const LowLatencyReport report = RequestLowLatency(3, "/dev/ttyUSB0", tree.Path("sys"), driver);
    EXPECT_EQ(LowLatencyText("/dev/ttyUSB0", report), c.line);
    EXPECT_EQ(driver.lowLatency, c.onWhileOpen);
    EXPECT_EQ(Timer(tree), c.timerWhileOpen);
    if (!c.driver) {
      EXPECT_EQ(driver.reads + driver.writes, 0);
    }
    RestoreLatency(3, report, driver);
    EXPECT_EQ(driver.lowLatency, c.startsOn) << "the flag is left as it was found";
    EXPECT_EQ(Timer(tree), c.timerAfterClose);
    EXPECT_EQ(driver.changedRecords, 0) << "only the flag may change";
  }
}

// On a real open, with a pseudo-terminal made to look like an FTDI adapter: the port opens
// whatever the driver says, the debug log has one line, and closing puts the timer back.
TEST(LowLatency, OpeningAsksOnceAndNeverFailsForIt) {
  for (const int writeError : {0, EPERM}) {
    SCOPED_TRACE(writeError);
    FakeSerialTree tree;
    HcsimProcess sim;
    ASSERT_TRUE(sim.Start(QString::fromStdString(tree.Path("prog/ports/COM3")), {"--baud", "0"}));
    const std::string pty = QFileInfo(sim.PtyPath()).canonicalFilePath().toStdString();
    UsbSerialPort(tree, QFileInfo(sim.PtyPath()).fileName().toStdString(), "ftdi_sio", "16\n");
    FakeDriver driver(tree, true);
    driver.writeError = writeError;
    PosixSerialPort port;
    port.UseSerialSettings(driver, tree.Path("sys"));
    port.SetLineBaud(0);
    port.SetDevice(tree.Path("prog/ports/COM3"));
    std::vector<std::string> log;
    {
      CapturedLog captured(QString::fromStdString(tree.Path("prog")));
      ASSERT_TRUE(port.Open()) << port.LastError();
      log = captured.Messages();
    }
    const std::string said = writeError
                                 ? pty + ": ftdi_sio, low latency not set: Operation not permitted"
                                 : pty + ": ftdi_sio, latency timer 16 ms -> 1 ms (low latency on)";
    EXPECT_EQ(log, std::vector<std::string>{"Serial port " + said});
    EXPECT_EQ(port.LowLatencyLine(), said);
    std::string reply;
    QtClock clock;
    EXPECT_TRUE(Exchange(port, clock, "@@100XXXXXX", reply)) << "the line works";
    port.Close();
    EXPECT_FALSE(driver.lowLatency);
    EXPECT_EQ(Timer(tree), "16");
  }
}

}  // namespace
