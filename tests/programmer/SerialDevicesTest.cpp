// Serial device discovery against a made-up /dev and /sys tree: USB identity from sysfs, by-id
// names, the COM name that leads to each device, and what a user may type for --port.
#include <gtest/gtest.h>

#include <QDir>

#include "FakeSerialTree.h"
#include "programmer/SerialDevices.h"

namespace {

class SerialDevicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    roots_ = tree_.Roots();
    // An FTDI adapter: the tty sits below the USB interface, which sits below the device.
    tree_.UsbDevice("sys/devices/pci0/usb1/1-1", "0403", "6001", "FTDI", "FT232R USB UART", "A123");
    tree_.Tty("ttyUSB0", "../../../devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0");
    tree_.ById("usb-FTDI_FT232R_USB_UART_A123-if00-port0", "../../ttyUSB0");
    // A CDC-ACM board without a product string: the system's report fills it in.
    tree_.UsbDevice("sys/devices/pci0/usb1/1-2", "2341", "0043", "Arduino", "", "7543");
    tree_.Tty("ttyACM0", "../../../devices/pci0/usb1/1-2/1-2:1.0");
    tree_.ById("usb-Arduino_7543-if00", "../../ttyACM0");
    // A fitted UART and an unfitted one; a USB tty whose node is missing.
    tree_.Tty("ttyS0", "../../../devices/platform/serial8250", "4");
    tree_.Tty("ttyS1", "../../../devices/platform/serial8250", "0");
    tree_.Tty("ttyUSB1", "../../../devices/pci0/usb1/1-1/1-1:1.1/ttyUSB1", nullptr, false);
  }

  std::string Path(const std::string& relative) const { return tree_.Path(relative); }
  void Link(const std::string& target, const std::string& relative) {
    tree_.Link(target, relative);
  }

  FakeSerialTree tree_;
  PortRoots roots_;
};

TEST_F(SerialDevicesTest, ListsEveryDeviceWithItsIdentityAndTheComNameLeadingToIt) {
  Link(Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0"), "prog/ports/com3");
  Link("/dev/null", "prog/ports/COM2");  // e.g. a simulator's pseudo-terminal
  Link("/dev/null", "dev/ttyXR0");       // only the system's enumeration knows this one
  const std::vector<SerialDevice> reported = {
      {"", Path("dev/ttyACM0"), "", "Uno R3", "Arduino LLC", "2341", "0043", "7543"},
      {"", Path("dev/ttyXR0"), "", "XR21V1410", "Exar", "04e2", "1410", ""},
  };
  const std::vector<SerialDevice> found = DiscoverSerialDevicesIn(roots_, reported);
  const SerialDevice expected[] = {
      {"COM1", Path("dev/ttyS0"), "", "", "", "", "", ""},
      {"COM2", "/dev/null", "", "", "", "", "", ""},
      {"COM3", Path("dev/ttyUSB0"),
       Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0"), "FT232R USB UART", "FTDI",
       "0403", "6001", "A123"},
      {"COM13", Path("dev/ttyACM0"), Path("dev/serial/by-id/usb-Arduino_7543-if00"), "Uno R3",
       "Arduino", "2341", "0043", "7543"},
      {"", Path("dev/ttyXR0"), "", "XR21V1410", "Exar", "04e2", "1410", ""},
  };
  ASSERT_EQ(found.size(), std::size(expected));
  for (size_t i = 0; i < found.size(); ++i) {
    SCOPED_TRACE(expected[i].device);
    const SerialDevice& f = found[i];
    const SerialDevice& e = expected[i];
    EXPECT_EQ(f.com, e.com);
    EXPECT_EQ(f.device, e.device);
    EXPECT_EQ(f.byId, e.byId);
    EXPECT_EQ(f.description, e.description);
    EXPECT_EQ(f.manufacturer, e.manufacturer);
    EXPECT_EQ(f.vid + ":" + f.pid, e.vid + ":" + e.pid);
    EXPECT_EQ(f.serial, e.serial);
  }
}

TEST_F(SerialDevicesTest, AnyPathToADeviceDescribesIt) {
  Link("../../dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0", "prog/ports/COM9");
  const struct {
    std::string path, hint;
  } cases[] = {
      {Path("dev/ttyUSB0"), "FT232R USB UART, serial A123, " + Path("dev/ttyUSB0")},
      {Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0"),
       "FT232R USB UART, serial A123, " + Path("dev/ttyUSB0")},
      {Path("prog/ports/COM9"), "FT232R USB UART, serial A123, " + Path("dev/ttyUSB0")},
      {Path("dev/ttyACM0"), "serial 7543, " + Path("dev/ttyACM0")},
      {Path("dev/ttyS0"), Path("dev/ttyS0")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(DeviceHint(DescribeSerialDeviceIn(c.path, roots_, {})), c.hint);
  }
  EXPECT_EQ(DescribeSerialDeviceIn(Path("dev/ttyUSB0"), roots_, {}).com, "COM9");
}

TEST_F(SerialDevicesTest, PortArgumentTakesComNamesPathsKernelNamesAndByIdNames) {
  Link("/dev/null", "prog/ports/COM3");
  const std::string cwd = QDir::currentPath().toStdString();
  const struct {
    const char* text;
    std::string path;
  } cases[] = {
      {"COM3", Path("prog/ports/COM3")},
      {"com5", Path("dev/ttyUSB0")},
      {"COM17", ""},
      {"/dev/ttyUSB9", "/dev/ttyUSB9"},
      {"ttyUSB0", Path("dev/ttyUSB0")},
      {"ttyACM2", Path("dev/ttyACM2")},
      {"usb-Arduino_7543-if00", Path("dev/serial/by-id/usb-Arduino_7543-if00")},
      {"ports/COM3", cwd + "/ports/COM3"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePortArgumentIn(c.text, roots_), c.path) << c.text;
}

TEST_F(SerialDevicesTest, UsbIdentityPicksTheAdaptersWithThatVidPidAndSerial) {
  // A second adapter of the same kind, told apart by its serial number only.
  tree_.UsbDevice("sys/devices/pci0/usb1/1-3", "0403", "6001", "FTDI", "FT232R USB UART", "B456");
  tree_.Tty("ttyUSB2", "../../../devices/pci0/usb1/1-3/1-3:1.0/ttyUSB2");
  const std::vector<SerialDevice> present = DiscoverSerialDevicesIn(roots_, {});
  const struct {
    const char* text;
    std::vector<std::string> devices;
  } cases[] = {
      {"usb:0403:6001", {Path("dev/ttyUSB0"), Path("dev/ttyUSB2")}},
      {"usb:403:6001:B456", {Path("dev/ttyUSB2")}},
      {"usb:0403:6001:b456", {}},  // a serial number is matched as written
      {"usb:2341:43", {Path("dev/ttyACM0")}},
      {"usb:0403:6015", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SerialDevice identity;
    ASSERT_TRUE(ParseUsbIdentity(c.text, identity));
    std::vector<std::string> devices;
    for (const SerialDevice& d : DevicesWithIdentity(present, identity))
      devices.push_back(d.device);
    EXPECT_EQ(devices, c.devices);
  }
  for (const char* malformed : {"usb:0403", "usb:04030:6001", "usb:xyz:6001", "usb:0403:6001:",
                                "usb:0403:6001:A:B", "USB:0403:6001", "usb::6001"}) {
    SerialDevice identity;
    EXPECT_FALSE(ParseUsbIdentity(malformed, identity)) << malformed;
  }
}

}  // namespace
