// COM names on Linux: ports/ links beside the program first, then the fixed device mapping.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ProgramState.h"
#include "programmer/Link.h"
#include "programmer/PortNames.h"
#include "startup/Startup.h"

namespace {

class PortNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir root(dir_.path());
    ASSERT_TRUE(root.mkpath("prog/ports"));
    ASSERT_TRUE(root.mkpath("dev"));
    roots_.programFolder = Path("prog");
    roots_.devRoot = Path("dev");
    roots_.sysRoot = Path("sys");
  }

  std::string Path(const std::string& relative) const {
    return dir_.filePath(QString::fromStdString(relative)).toStdString();
  }
  // A device node stand-in: a link to a real character device.
  void Device(const std::string& name) {
    ASSERT_TRUE(QFile::link("/dev/null", QString::fromStdString(Path("dev/" + name))));
  }
  void PortLink(const std::string& name, const std::string& target) {
    ASSERT_TRUE(QFile::link(QString::fromStdString(target),
                            QString::fromStdString(Path("prog/ports/" + name))));
  }
  // sysfs port type of a ttyS line: 0 means no UART behind it.
  void UartType(int index, const char* type) {
    const std::string folder = "sys/class/tty/ttyS" + std::to_string(index);
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QString::fromStdString(folder)));
    QFile file(QString::fromStdString(Path(folder + "/type")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(type);
  }

  QTemporaryDir dir_;
  PortRoots roots_;
};

TEST(ComPortNumber, AcceptsComOneToSixteenInAnyCase) {
  const struct {
    const char* name;
    int number;
  } cases[] = {{"COM1", 1},  {"com3", 3},  {"Com12", 12}, {"COM16", 16}, {"COM03", 3},
               {"COM17", 0}, {"COM0", 0},  {"COM", 0},    {"COMX", 0},   {"LPT1", 0},
               {"COM1a", 0}, {"COM-1", 0}, {" COM1", 0},  {"", 0},       {"COM99999999", 0}};
  for (const auto& c : cases) EXPECT_EQ(ComPortNumber(c.name), c.number) << c.name;
}

TEST_F(PortNamesTest, FixedMappingWithoutLinks) {
  const struct {
    const char* name;
    const char* device;
  } cases[] = {{"COM1", "ttyS0"},    {"COM4", "ttyS3"},    {"COM5", "ttyUSB0"},
               {"com12", "ttyUSB7"}, {"COM13", "ttyACM0"}, {"COM16", "ttyACM3"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ResolvePortDeviceIn(c.name, roots_), Path(std::string("dev/") + c.device)) << c.name;
  }
  for (const char* name : {"COM17", "COM0", "LPT1", "ttyUSB0", ""}) {
    EXPECT_EQ(ResolvePortDeviceIn(name, roots_), "") << name;
    EXPECT_FALSE(ComPortExistsIn(name, roots_)) << name;
  }
}

TEST_F(PortNamesTest, ExistsOnlyForPresentDevicesAndFittedUarts) {
  Device("ttyS0");
  Device("ttyS1");
  Device("ttyS2");
  UartType(0, "4\n");  // a 16550A
  UartType(1, "0\n");  // the kernel's placeholder for a UART that is not there
  // ttyS2 has no sysfs entry at all.
  Device("ttyUSB0");
  Device("ttyACM3");
  EXPECT_TRUE(ComPortExistsIn("COM1", roots_));
  EXPECT_FALSE(ComPortExistsIn("COM2", roots_));
  EXPECT_FALSE(ComPortExistsIn("COM3", roots_));
  EXPECT_FALSE(ComPortExistsIn("COM4", roots_));
  EXPECT_TRUE(ComPortExistsIn("COM5", roots_));
  EXPECT_FALSE(ComPortExistsIn("COM6", roots_));
  EXPECT_TRUE(ComPortExistsIn("com16", roots_));
  // A regular file is no serial device.
  QFile file(QString::fromStdString(Path("dev/ttyUSB1")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(ComPortExistsIn("COM6", roots_));
}

TEST_F(PortNamesTest, PortsFolderLinksComeFirstInAnyCase) {
  Device("ttyUSB0");
  PortLink("COM3", "/dev/null");  // COM3 would otherwise need a fitted UART
  PortLink("com5", "/dev/null");
  PortLink("COM7", Path("nowhere"));  // the simulator behind it is not running
  PortLink("COM20", "/dev/null");     // beyond COM16: never a port

  EXPECT_EQ(ResolvePortDeviceIn("COM3", roots_), Path("prog/ports/COM3"));
  EXPECT_TRUE(ComPortExistsIn("COM3", roots_));
  EXPECT_EQ(ResolvePortDeviceIn("COM5", roots_), Path("prog/ports/com5"));
  EXPECT_TRUE(ComPortExistsIn("Com5", roots_));
  // A dangling link still names the port (so opening it fails), it does not fall back.
  EXPECT_EQ(ResolvePortDeviceIn("COM7", roots_), Path("prog/ports/COM7"));
  EXPECT_FALSE(ComPortExistsIn("COM7", roots_));
  EXPECT_EQ(ResolvePortDeviceIn("COM20", roots_), "");
  EXPECT_FALSE(ComPortExistsIn("COM20", roots_));
}

TEST_F(PortNamesTest, AbsolutePathsAreTakenAsTheyAre) {
  EXPECT_EQ(ResolvePortDeviceIn("/dev/null", roots_), "/dev/null");
  EXPECT_TRUE(ComPortExistsIn("/dev/null", roots_));
  EXPECT_EQ(ResolvePortDeviceIn(Path("dev/ttyUSB4"), roots_), Path("dev/ttyUSB4"));
  EXPECT_FALSE(ComPortExistsIn(Path("dev/ttyUSB4"), roots_));
  EXPECT_EQ(ResolvePortDeviceIn("dev/ttyUSB4", roots_), "");
}

TEST_F(PortNamesTest, PublicFunctionsLookBesideTheProgram) {
  SavedProgramState saved;
  SetProgramPaths(roots_.programFolder, "PadFlasher");
  PortLink("COM9", "/dev/null");
  EXPECT_EQ(ResolvePortDevice("COM9"), Path("prog/ports/COM9"));
  EXPECT_TRUE(ComPortExists("com9"));
  EXPECT_EQ(ResolvePortDevice("COM10"), "/dev/ttyUSB5");
  EXPECT_EQ(ResolvePortDevice("COM17"), "");
}

}  // namespace
