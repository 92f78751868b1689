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
std::string ResolvePortDeviceIn(const std::string& comName, const PortRoots& roots);
bool ComPortExistsIn(const std::string& name, const PortRoots& roots);
