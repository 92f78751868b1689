#pragma once
// A made-up program folder, /dev and /sys under one temporary folder, for serial device
// discovery: USB adapters with their identity in sysfs, UARTs, by-id names, ports/ links. Device
// nodes are links to /dev/null, a real character device.
#include <QTemporaryDir>
#include <string>

#include "programmer/PortNames.h"

class FakeSerialTree {
 public:
  FakeSerialTree();  // prog/ports, dev/serial/by-id and sys/class/tty, empty

  // prog, dev and sys of this tree.
  PortRoots Roots() const;
  std::string Path(const std::string& relative) const;

  void Mkdir(const std::string& relative);
  void Write(const std::string& relative, const std::string& text);
  void Link(const std::string& target, const std::string& relative);
  // A USB device's folder below sys/ with its identity files; an empty product or serial is
  // left out, as a device without that string descriptor has none.
  void UsbDevice(const std::string& folder, const char* vid, const char* pid, const char* maker,
                 const char* product, const char* serial);
  // sys/class/tty/NAME with its device link (relative, as the kernel makes it; the folder it
  // leads to is made), a UART's port type when given, and the node dev/NAME unless node is false.
  void Tty(const std::string& name, const std::string& device, const char* uartType = nullptr,
           bool node = true);
  // dev/serial/by-id/NAME leading to target (relative to that folder, as udev makes it).
  void ById(const std::string& name, const std::string& target);

 private:
  QTemporaryDir dir_;
};
