#include "programmer/PortNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "programmer/Link.h"
#include "startup/Startup.h"

namespace {

constexpr int kHighestPort = 16;

// "COM" followed by decimal digits only; the value of the digits (the characters after the
// first three), or -1.
int ComSuffixValue(const std::string& name) {
  if (name.size() < 4 || name.size() > 8) return -1;
  if (QString::fromStdString(name.substr(0, 3)).compare("COM", Qt::CaseInsensitive) != 0) {
    return -1;
  }
  int value = 0;
  for (size_t i = 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    value = value * 10 + (name[i] - '0');
  }
  return value;
}

// An entry of ports/ standing for port n: a link (even a dangling one) or a device file.
std::string PortsFolderEntry(int n, const std::string& programFolder) {
  if (programFolder.empty()) return {};
  const QDir dir(QString::fromStdString(programFolder + "/ports"));
  if (!dir.exists()) return {};
  const auto entries =
      dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& entry : entries) {
    if (ComPortNumber(entry.fileName().toStdString()) == n) {
      return entry.absoluteFilePath().toStdString();
    }
  }
  return {};
}

// A ttyS node exists for every possible 8250 port, fitted or not; sysfs tells a real UART by a
// non-zero port type.
bool UartFitted(int index, const PortRoots& roots) {
  QFile type(
      QString::fromStdString(roots.sysRoot + "/class/tty/ttyS" + std::to_string(index) + "/type"));
  if (!type.open(QIODevice::ReadOnly)) return false;
  bool ok = false;
  const int value = type.readAll().trimmed().toInt(&ok);
  return ok && value != 0;
}

std::string FixedDevice(int n, const PortRoots& roots) {
  if (n <= 4) return roots.devRoot + "/ttyS" + std::to_string(n - 1);
  if (n <= 12) return roots.devRoot + "/ttyUSB" + std::to_string(n - 5);
  return roots.devRoot + "/ttyACM" + std::to_string(n - 13);
}

// The device numbers Linux gives the console and the pseudo-terminal multiplexer, and the range
// of its pseudo-terminal ends (which sysfs does not list).
constexpr unsigned kTtyAuxMajor = 5;
constexpr unsigned kOwnTerminalMinor = 0, kConsoleMinor = 1, kMultiplexerMinor = 2;
constexpr unsigned kFirstPtyMajor = 136, kLastPtyMajor = 143;

bool IsControllingTerminal(dev_t device) {
  const int fd = ::open("/dev/tty", O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;  // the program has no terminal
  struct stat st {};
  const bool same = ::fstat(fd, &st) == 0 && st.st_rdev == device;
  ::close(fd);
  return same;
}

// A terminal device that sysfs places in its tty class; without sysfs, nothing can be told.
bool InTtyClass(dev_t device) {
  const std::string sysDevice =
      "/sys/dev/char/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
  const QFileInfo subsystem(QString::fromStdString(sysDevice + "/subsystem"));
  if (!QFileInfo(QStringLiteral("/sys/dev/char")).isDir()) return true;
  return subsystem.exists() && QFileInfo(subsystem.symLinkTarget()).fileName() == "tty";
}

}  // namespace

DeviceFitness SerialDeviceFitness(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return DeviceFitness::Missing;
  if (!S_ISCHR(st.st_mode)) return DeviceFitness::NotSerial;
  const unsigned deviceMajor = major(st.st_rdev), deviceMinor = minor(st.st_rdev);
  if (deviceMajor == kTtyAuxMajor && deviceMinor == kMultiplexerMinor)
    return DeviceFitness::Multiplexer;
  if ((deviceMajor == kTtyAuxMajor &&
       (deviceMinor == kOwnTerminalMinor || deviceMinor == kConsoleMinor)) ||
      IsControllingTerminal(st.st_rdev)) {
    return DeviceFitness::OwnTerminal;
  }
  const bool pty = deviceMajor >= kFirstPtyMajor && deviceMajor <= kLastPtyMajor;
  return pty || InTtyClass(st.st_rdev) ? DeviceFitness::Serial : DeviceFitness::NotSerial;
}

bool IsCharDevice(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

bool IsComPortName(const std::string& name) {
  return ComSuffixValue(name) >= 0;
}

int ComPortNumber(const std::string& name) {
  const int value = ComSuffixValue(name);
  return value >= 1 && value <= kHighestPort ? value : 0;
}

std::string ResolvePortDeviceIn(const std::string& comName, const PortRoots& roots) {
  if (!comName.empty() && comName[0] == '/') return comName;
  const int n = ComPortNumber(comName);
  if (n == 0) return {};
  const std::string linked = PortsFolderEntry(n, roots.programFolder);
  if (!linked.empty()) return linked;
  return FixedDevice(n, roots);
}

bool ComPortExistsIn(const std::string& name, const PortRoots& roots) {
  const std::string device = ResolvePortDeviceIn(name, roots);
  if (device.empty() || !IsCharDevice(device)) return false;
  // Only the fixed COM1-COM4 mapping needs the UART check; a link the user made is trusted.
  const int n = ComPortNumber(name);
  if (n >= 1 && n <= 4 && device == FixedDevice(n, roots)) return UartFitted(n - 1, roots);
  return true;
}

std::string ResolvePortDevice(const std::string& comName) {
  return ResolvePortDeviceIn(comName, PortRoots{gProgramFolder});
}

bool ComPortExists(const std::string& name) {
  return ComPortExistsIn(name, PortRoots{gProgramFolder});
}

std::string ResolvePortArgumentIn(const std::string& text, const PortRoots& roots) {
  if (text.empty()) return {};
  if (ComSuffixValue(text) >= 0) return ResolvePortDeviceIn(text, roots);
  if (text[0] == '/') return text;
  if (text.find('/') != std::string::npos) {
    return QFileInfo(QString::fromStdString(text)).absoluteFilePath().toStdString();
  }
  const std::string byId = roots.devRoot + "/serial/by-id/" + text;
  if (QFileInfo(QString::fromStdString(byId)).isSymLink()) return byId;
  return roots.devRoot + "/" + text;
}

std::string DeviceNodeOf(const std::string& path, const PortRoots& roots) {
  const QString devRoot = QDir::cleanPath(QString::fromStdString(roots.devRoot));
  QString current = QDir::cleanPath(QString::fromStdString(path));
  // A bound, since links may form a loop.
  for (int hop = 0; hop < 16; ++hop) {
    const QFileInfo info(current);
    if (info.absolutePath() == devRoot || !info.isSymLink()) break;
    const QString target = info.symLinkTarget();
    if (target.isEmpty()) break;
    current = QDir::cleanPath(target);
  }
  return current.toStdString();
}
