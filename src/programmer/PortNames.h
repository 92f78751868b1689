#pragma once
// How a port name such as "COM3" finds its device on Linux; the roots are parameters so that the
// rule can be checked against made-up /dev and /sys trees.
#include <string>

struct PortRoots {
  std::string programFolder;  // holds the ports/ folder of links
  std::string devRoot = "/dev";
  std::string sysRoot = "/sys";
};

// n of "COMn" (any letter case) when 1 <= n <= 16, else 0.
int ComPortNumber(const std::string& name);
// Whether name has the form of a COM name ("COM" and digits, any letter case), in range or not.
bool IsComPortName(const std::string& name);
std::string ResolvePortDeviceIn(const std::string& comName, const PortRoots& roots);
bool ComPortExistsIn(const std::string& name, const PortRoots& roots);

// What a user may type for a port: a COM name, a device path (absolute, or relative with a
// "/"), a bare kernel name ("ttyUSB0" -> /dev/ttyUSB0) or a name from /dev/serial/by-id. Returns
// the path to open; empty for a COM name that stands for no device.
std::string ResolvePortArgumentIn(const std::string& text, const PortRoots& roots);
// The device node a path leads to: links are followed until a name directly in the dev root (so
// a by-id link or a ports/ link ends at /dev/ttyUSB0) or a path that is no link.
std::string DeviceNodeOf(const std::string& path, const PortRoots& roots);
bool IsCharDevice(const std::string& path);

// Whether the device at path (links followed) may carry the hand control's protocol: only a
// terminal device of a serial line or a pseudo-terminal is. The program's own terminal and the
// console would show the protocol to the user; the pseudo-terminal multiplexer makes a new
// terminal on every open.
enum class DeviceFitness { Serial, Missing, NotSerial, OwnTerminal, Multiplexer };
DeviceFitness SerialDeviceFitness(const std::string& path);
