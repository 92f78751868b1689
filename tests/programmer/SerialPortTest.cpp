// Both serial ports against hcsim on a real pseudo-terminal.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <random>

#include "HcsimProcess.h"
#include "programmer/DeviceIo.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "programmer/SerialPortPosix.h"

namespace {

constexpr int kBlock = 256;

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
  // Make sure the flow-control characters are among the data: they must pass untouched.
  bytes[0] = 0x11;
  bytes[1] = 0x13;
  return bytes;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct PortKind {
  const char* name;
  std::function<std::unique_ptr<SerialPort>()> make;
};

// Every case runs with the window program's port (a local event loop around Qt's buffers) and
// with the CLI's (blocking in the device, reading and writing it directly).
class PtySerialTest : public ::testing::TestWithParam<PortKind> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    link_ = dir_.filePath("COM3");
    flash_ = dir_.filePath("flash.bin");
    // The simulators here run faster than the hand control's line.
    port_.SetLineBaud(0);
  }

  void StartSim(const QStringList& extra = {"--baud", "0"}) {
    ASSERT_TRUE(sim_.Start(link_, QStringList{"--flash", flash_} + extra)) << sim_.ErrorOutput();
    port_.SetDevice(link_.toStdString());
    ASSERT_TRUE(port_.Open()) << port_.LastError();
  }

  // Stops hcsim and returns the flash it wrote back.
  QByteArray FlashAfterStop() {
    port_.Close();
    EXPECT_EQ(sim_.Stop(), 0) << sim_.ErrorOutput();
    QFile file(flash_);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  // Writes data as one run at address 0 of page 00 (file offset 0x10000) and awaits the "#".
  void WriteRun(const std::string& data) {
    const int blocks = static_cast<int>(data.size()) / kBlock;
    char command[16];
    std::snprintf(command, sizeof command, "@@20000%02XXX", blocks & 0xFF);
    std::string reply;
    ASSERT_TRUE(Exchange(port_, clock_, "@@100XXXXXX", reply));
    ASSERT_TRUE(port_.Write(command));
    ASSERT_TRUE(port_.Write(data));
    ASSERT_TRUE(ReadUntilHash(port_, clock_, reply, 20000)) << sim_.ErrorOutput();
    // The device's XON/XOFF never reach the reader.
    EXPECT_EQ(reply, "");
  }

  QTemporaryDir dir_;
  QString link_;
  QString flash_;
  HcsimProcess sim_;
  std::unique_ptr<SerialPort> portHolder_ = GetParam().make();
  SerialPort& port_ = *portHolder_;
  QtClock clock_;
};

TEST_P(PtySerialTest, PresenceTestAndQueryAreAnsweredAcrossReopens) {
  StartSim();
  for (int round = 0; round < 3; ++round) {
    std::string reply;
    ASSERT_TRUE(Exchange(port_, clock_, "@@100XXXXXX", reply)) << "round " << round;
    EXPECT_EQ(reply, "");
    ASSERT_TRUE(Exchange(port_, clock_, "@@3XXXXXXXX", reply));
    ASSERT_EQ(reply.size(), 95u);
    EXPECT_EQ(reply.substr(88, 4), "FFFF");  // erased flash
    // The program closes and reopens the port often; the simulator must keep serving.
    port_.Close();
    EXPECT_FALSE(port_.IsOpen());
    ASSERT_TRUE(port_.Open()) << port_.LastError();
  }
}

TEST_P(PtySerialTest, OneDeviceIsNeverDrivenTwiceWhateverItIsCalled) {
  StartSim();  // port_ holds the device through the ports/ style link
  const std::string device = sim_.PtyPath().toStdString();
  const std::string second = dir_.filePath("COM7").toStdString();
  ASSERT_EQ(::symlink(link_.toLocal8Bit().constData(), second.c_str()), 0);
  for (const std::string& name : {device, link_.toStdString(), second}) {
    const auto other = GetParam().make();
    other->SetDevice(name);
    EXPECT_FALSE(other->Open()) << name;
    EXPECT_EQ(other->LastError(), "the device is busy: another program has it open") << name;
    EXPECT_EQ(other->LastOpenFailure(), OpenFailure::Busy) << name;
  }
  // Once the first lets go, the device is free under any of its names.
  port_.Close();
  const auto other = GetParam().make();
  other->SetDevice(device);
  EXPECT_TRUE(other->Open()) << other->LastError();
}

TEST_P(PtySerialTest, FlashFileIsLoadedInFileOffsetOrder) {
  QByteArray image(262144, char(0xFF));
  image[0xFFFE] = char(0x34);  // the code the hand control reports: high byte at 0xFFFF
  image[0xFFFF] = char(0x12);
  image[0x10000] = 0;  // first byte of page 00: that block's sum becomes 255 * 255 % 256 = 1
  QFile file(flash_);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(image);
  file.close();
  StartSim();
  std::string reply;
  ASSERT_TRUE(Exchange(port_, clock_, "@@3XXXXXXXX", reply));
  ASSERT_EQ(reply.size(), 95u);
  EXPECT_EQ(reply.substr(88, 4), "1234");
  ASSERT_TRUE(Exchange(port_, clock_, "@@100XXXXXX", reply));
  ASSERT_TRUE(Exchange(port_, clock_, "@@8000001XX", reply));
  EXPECT_EQ(reply, "01");
  ASSERT_TRUE(Exchange(port_, clock_, "@@101XXXXXX", reply));
  ASSERT_TRUE(Exchange(port_, clock_, "@@8000001XX", reply));
  EXPECT_EQ(reply, "00");
  // Nothing was written, so the file comes back as it was.
  EXPECT_EQ(FlashAfterStop(), image);
}

// Every byte of a long write reaches the device in order, unpaced and on a paced line where
// the simulator holds the host back with XOFF; the device's own XOFF fault too.
TEST_P(PtySerialTest, LongWritesArriveCompleteAndInOrder) {
  struct Case {
    QStringList args;
    int blocks;
  };
  const Case cases[] = {
      {{"--baud", "0"}, 256},
      {{"--baud", "460800"}, 40},
      {{"--baud", "0", "--fault", "xoff=300"}, 8},
  };
  unsigned seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    QFile::remove(flash_);
    StartSim(c.args);
    const std::string data = RandomBytes(size_t(c.blocks) * kBlock, seed++);
    WriteRun(data);
    const QByteArray flash = FlashAfterStop();
    ASSERT_EQ(flash.size(), 262144);
    EXPECT_EQ(flash.mid(0x10000, int(data.size())).toStdString(), data);
    EXPECT_EQ(flash.at(0x10000 + int(data.size())), char(0xFF));
  }
}

TEST_P(PtySerialTest, UnpluggedDeviceClosesThePortAndWaitsDoNotSpin) {
  StartSim();
  sim_.Kill();
  // The hang-up shows at the next wait; the port closes itself.
  EXPECT_FALSE(port_.WaitForData(1000));
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastError(), "device unplugged");
  EXPECT_FALSE(port_.Write("@@100XXXXXX"));
  EXPECT_EQ(port_.BytesWaiting(), 0);
  EXPECT_EQ(port_.ReadByte(), -1);

  // A wait on the failed port lasts to its deadline without burning the processor.
  const double cpuBefore = CpuSeconds();
  const uint32_t start = clock_.TickCount();
  EXPECT_FALSE(port_.WaitForData(600));
  EXPECT_GE(clock_.TickCount() - start, 550u);
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.3);
}

TEST_P(PtySerialTest, SimulatorDisconnectFaultEndsItAndClosesThePort) {
  StartSim({"--baud", "0", "--fault", "disconnect=20"});
  std::string reply;
  ASSERT_TRUE(Exchange(port_, clock_, "@@100XXXXXX", reply));
  EXPECT_FALSE(Exchange(port_, clock_, "@@100XXXXXX", reply, 2000));
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastError(), "device unplugged");
  EXPECT_EQ(sim_.WaitForExit(), 0);
  EXPECT_FALSE(QFileInfo::exists(link_)) << "the link outlived the device";
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PtySerialTest,
    ::testing::Values(PortKind{"EventLoop", [] { return std::make_unique<QtSerialPort>(); }},
                      PortKind{"Direct", [] { return std::make_unique<PosixSerialPort>(); }}),
    [](const ::testing::TestParamInfo<PortKind>& info) { return info.param.name; });

TEST(SerialPortOpen, FailuresGiveAReason) {
  QTemporaryDir dir;
  PosixSerialPort port;
  port.SetDevice(dir.filePath("ttyUSB9").toStdString());
  EXPECT_FALSE(port.Open());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.LastError(), "does not exist");
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::NoDevice);

  port.SetDevice("");
  EXPECT_FALSE(port.Open());
  EXPECT_EQ(port.LastError(), "does not exist");

  if (geteuid() == 0) GTEST_SKIP() << "root opens any device";
  HcsimProcess sim;
  const QString link = dir.filePath("COM5");
  ASSERT_TRUE(sim.Start(link, {"--baud", "0"}));
  ASSERT_EQ(::chmod(sim.PtyPath().toLocal8Bit().constData(), 0), 0);
  port.SetDevice(link.toStdString());
  EXPECT_FALSE(port.Open());
  const std::string device = sim.PtyPath().toStdString();
  EXPECT_EQ(port.LastError(), "permission denied: " + device + " belongs to group " +
                                  device_io::OwningGroup(device) + "; " + AccessAdvice(device));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::Permission);
}

// Serial devices belong to dialout on Debian, uucp or tty elsewhere: the advice names the one
// the device has.
TEST(SerialPortOpen, TheAccessAdviceNamesTheDevicesOwnGroup) {
  QTemporaryDir dir;
  const std::string device = dir.filePath("ttyUSB0").toStdString();
  QFile file(QString::fromStdString(device));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  std::string expected = device_io::OwningGroup(device);
  if (geteuid() == 0) {
    const gid_t other = getgid() == 5 ? 20 : 5;  // tty or dialout, whichever is not ours
    ASSERT_EQ(::chown(device.c_str(), static_cast<uid_t>(-1), other), 0);
    const group* entry = ::getgrgid(other);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(device_io::OwningGroup(device), entry->gr_name);
    expected = entry->gr_name;
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(AccessAdvice(device),
            "add yourself with sudo usermod -aG " + expected + " $USER and log in again");
  EXPECT_EQ(AccessAdvice(dir.filePath("missing").toStdString()),
            "add yourself with sudo usermod -aG dialout $USER and log in again");
}

}  // namespace
