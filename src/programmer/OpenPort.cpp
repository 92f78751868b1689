// Opening the port is kept apart from the exchange: it is the one place that turns a port name
// into a device of this machine.
#include <algorithm>
#include <cctype>

#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "startup/DebugLog.h"
#include "startup/Settings.h"

namespace {

bool LooksLikePermission(std::string error) {
  std::transform(error.begin(), error.end(), error.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return error.find("permission") != std::string::npos || error.find("access") != std::string::npos;
}

}  // namespace

bool OpenComPort() {
  ISerialPort& port = LinkPort();
  CloseComPort();
  const std::string device = ResolvePortDevice(gComPort);
  bool opened = false;
  if (device.empty()) {
    DebugLog("OpenComPort: " + gComPort + " does not stand for a serial device on this machine");
  } else {
    port.SetDevice(device);
    opened = port.Open() && port.IsOpen();
    if (!opened) {
      const std::string error = port.LastError();
      DebugLog("OpenComPort: cannot open " + device + " (" + gComPort + "): " + error +
               (LooksLikePermission(error)
                    ? " - the user is probably not in the dialout group (sudo usermod -aG "
                      "dialout $USER, then log in again)"
                    : ""));
    }
  }
  if (!opened) {
    link_detail::Tell("Error Opening COM Port");
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
