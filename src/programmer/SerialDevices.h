#pragma once
// The serial devices of this machine as a user knows them: the device node, its stable name in
// /dev/serial/by-id, the USB adapter's identity from sysfs, and the COM name that leads to it.
// The roots are parameters so that discovery can be checked against made-up /dev and /sys trees.
#include <string>
#include <vector>

#include "programmer/PortNames.h"

struct SerialDevice {
  std::string com;     // "COM5"; empty when no COM name leads to this device
  std::string device;  // "/dev/ttyUSB0"
  std::string byId;    // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0", or empty
  std::string description;  // the adapter's USB product string, "FT232R USB UART"
  std::string manufacturer;
  std::string vid, pid;  // four lower-case hex digits each; empty when not a USB device
  std::string serial;
};

// What the system's port enumeration (QSerialPortInfo) reports.
std::vector<SerialDevice> ReportedSerialPorts();

// Every serial device: those sysfs lists (UARTs only when fitted), those the system reported,
// the targets of /dev/serial/by-id, and those a COM name leads to. COM-named ones come first in
// COM order, the others by device path.
std::vector<SerialDevice> DiscoverSerialDevicesIn(const PortRoots& roots,
                                                  const std::vector<SerialDevice>& reported);
// One device, found from any path that leads to it.
SerialDevice DescribeSerialDeviceIn(const std::string& path, const PortRoots& roots,
                                    const std::vector<SerialDevice>& reported);

// The same on this machine, with ports/ beside the program.
std::vector<SerialDevice> DiscoverSerialDevices();
SerialDevice DescribeSerialDevice(const std::string& path);

// "FT232R USB UART, serial A123, /dev/ttyUSB0": what a user recognises, on one line.
std::string DeviceHint(const SerialDevice& device);

// "usb:VID:PID" or "usb:VID:PID:SERIAL" as --port takes it (hex ids of one to four digits, any
// letter case): true with identity's vid and pid as four lower-case digits and its serial set;
// false when text has not that form.
bool ParseUsbIdentity(const std::string& text, SerialDevice& identity);
// The devices of the adapter identity names: the same VID and PID, and the same serial number
// when identity has one.
std::vector<SerialDevice> DevicesWithIdentity(const std::vector<SerialDevice>& devices,
                                              const SerialDevice& identity);
