// Opening the port is kept apart from the exchange: it is the one place that turns a port name
// into a device of this machine.
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "programmer/LinkTexts.h"
#include "programmer/PortNames.h"
#include "startup/Settings.h"

bool OpenComPort() {
  ISerialPort& port = LinkPort();
  CloseComPort();
  const std::string device = ResolvePortDevice(gComPort);
  bool opened = false;
  const DeviceFitness fitness = SerialDeviceFitness(device);
  if (device.empty()) {
    DebugLog("OpenComPort: " + gComPort + " does not stand for a serial device on this machine");
  } else if (fitness != DeviceFitness::Serial && fitness != DeviceFitness::Missing) {
    DebugLog("OpenComPort: " + device + " is no serial device");
  } else {
    // The port logs why an open failed, naming the device.
    port.SetDevice(device);
    opened = port.Open() && port.IsOpen();
  }
  if (!opened) {
    link_detail::Tell(LinkMessage(MessageKind::PortOpenFailed, {gComPort},
                                  device.empty() ? std::string() : port.LastError()));
    return false;
  }
  if (PingHandControl()) return true;
  gHcType = "Unknown";
  gHcMajor = 0;
  gHcMinor = 0;
  CloseComPort();
  LinkHost().ShowProgrammingModeHelp();
  return false;
}
