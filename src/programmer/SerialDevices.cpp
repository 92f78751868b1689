#include "programmer/SerialDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>
#include <map>

#include "startup/Startup.h"

namespace {

constexpr int kHighestPort = 16;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string ReadAttribute(const QDir& dir, const char* name) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  // sysfs attributes are short; a hostile or broken one must not fill memory.
  return QString::fromUtf8(file.read(256)).trimmed().toStdString();
}

// The USB device above a tty's sysfs node carries idVendor; an FTDI port sits two levels below
// it (interface, port), a CDC-ACM tty one level.
void ReadUsbIdentity(const std::string& node, const PortRoots& roots, SerialDevice& out) {
  const QString name = QFileInfo(Q(node)).fileName();
  const QString sysRoot = QFileInfo(Q(roots.sysRoot)).canonicalFilePath();
  QString dir = QFileInfo(Q(roots.sysRoot) + "/class/tty/" + name + "/device").canonicalFilePath();
  for (int level = 0;
       level < 4 && !dir.isEmpty() && !sysRoot.isEmpty() && dir.startsWith(sysRoot + "/");
       ++level) {
    const QDir usb(dir);
    if (usb.exists("idVendor")) {
      out.vid = ReadAttribute(usb, "idVendor");
      out.pid = ReadAttribute(usb, "idProduct");
      out.manufacturer = ReadAttribute(usb, "manufacturer");
      out.description = ReadAttribute(usb, "product");
      out.serial = ReadAttribute(usb, "serial");
      return;
    }
    dir = QFileInfo(dir).path();
  }
}

// Names of /dev/serial/by-id by the device node each leads to.
std::multimap<std::string, std::string> ByIdLinks(const PortRoots& roots) {
  std::multimap<std::string, std::string> links;
  const QDir dir(Q(roots.devRoot) + "/serial/by-id");
  for (const QFileInfo& entry :
       dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
    const std::string path = entry.filePath().toStdString();
    links.emplace(DeviceNodeOf(path, roots), path);
  }
  return links;
}

// A ttyS line exists for every possible 8250 port; only a non-zero port type means a UART.
bool UsableTty(const QString& name, const PortRoots& roots) {
  if (!name.startsWith("ttyS")) return true;
  QFile type(Q(roots.sysRoot) + "/class/tty/" + name + "/type");
  if (!type.open(QIODevice::ReadOnly)) return false;
  bool ok = false;
  return type.read(32).trimmed().toInt(&ok) != 0 && ok;
}

void FillGaps(SerialDevice& into, const SerialDevice& from) {
  for (auto member : {&SerialDevice::description, &SerialDevice::manufacturer, &SerialDevice::vid,
                      &SerialDevice::pid, &SerialDevice::serial}) {
    if ((into.*member).empty()) into.*member = from.*member;
  }
}

class Discovery {
 public:
  Discovery(const PortRoots& roots, const std::vector<SerialDevice>& reported)
      : roots_(roots), reported_(reported), byId_(ByIdLinks(roots)) {}

  SerialDevice Describe(const std::string& path) const {
    SerialDevice device;
    device.device = DeviceNodeOf(path, roots_);
    if (auto it = byId_.find(device.device); it != byId_.end()) device.byId = it->second;
    ReadUsbIdentity(device.device, roots_, device);
    for (const SerialDevice& report : reported_) {
      if (DeviceNodeOf(report.device, roots_) == device.device) FillGaps(device, report);
    }
    // A name the user gave in ports/ says more than the fixed table's.
    const std::string portsFolder = roots_.programFolder + "/ports/";
    for (const bool linkedOnly : {true, false}) {
      for (int n = 1; n <= kHighestPort && device.com.empty(); ++n) {
        const std::string com = "COM" + std::to_string(n);
        const std::string resolved = ResolvePortDeviceIn(com, roots_);
        if ((!linkedOnly || resolved.rfind(portsFolder, 0) == 0) && ComPortExistsIn(com, roots_) &&
            DeviceNodeOf(resolved, roots_) == device.device) {
          device.com = com;
        }
      }
    }
    return device;
  }

  std::vector<SerialDevice> All() const {
    std::vector<std::string> paths;
    const QDir ttys(Q(roots_.sysRoot) + "/class/tty");
    for (const QString& name : ttys.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
      const std::string node = roots_.devRoot + "/" + name.toStdString();
      if (ttys.exists(name + "/device") && UsableTty(name, roots_) && IsCharDevice(node)) {
        paths.push_back(node);
      }
    }
    for (const SerialDevice& report : reported_) paths.push_back(report.device);
    for (const auto& [node, link] : byId_) paths.push_back(node);
    for (int n = 1; n <= kHighestPort; ++n) {
      const std::string com = "COM" + std::to_string(n);
      if (ComPortExistsIn(com, roots_)) paths.push_back(ResolvePortDeviceIn(com, roots_));
    }
    std::map<std::string, SerialDevice> byNode;
    for (const std::string& path : paths) {
      const std::string node = DeviceNodeOf(path, roots_);
      if (!byNode.count(node) && IsCharDevice(node)) byNode.emplace(node, Describe(node));
    }
    std::vector<SerialDevice> list;
    for (auto& [node, device] : byNode) list.push_back(std::move(device));
    std::stable_sort(list.begin(), list.end(), [](const SerialDevice& a, const SerialDevice& b) {
      const int na = a.com.empty() ? kHighestPort + 1 : ComPortNumber(a.com);
      const int nb = b.com.empty() ? kHighestPort + 1 : ComPortNumber(b.com);
      return na < nb;
    });
    return list;
  }

 private:
  const PortRoots& roots_;
  const std::vector<SerialDevice>& reported_;
  std::multimap<std::string, std::string> byId_;
};

std::string Hex4(quint16 value) {
  return QString("%1").arg(value, 4, 16, QChar('0')).toStdString();
}

}  // namespace

std::vector<SerialDevice> ReportedSerialPorts() {
  std::vector<SerialDevice> list;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialDevice device;
    device.device = info.systemLocation().toStdString();
    device.description = info.description().toStdString();
    device.manufacturer = info.manufacturer().toStdString();
    if (info.hasVendorIdentifier()) device.vid = Hex4(info.vendorIdentifier());
    if (info.hasProductIdentifier()) device.pid = Hex4(info.productIdentifier());
    device.serial = info.serialNumber().toStdString();
    list.push_back(std::move(device));
  }
  return list;
}

std::vector<SerialDevice> DiscoverSerialDevicesIn(const PortRoots& roots,
                                                  const std::vector<SerialDevice>& reported) {
  return Discovery(roots, reported).All();
}

SerialDevice DescribeSerialDeviceIn(const std::string& path, const PortRoots& roots,
                                    const std::vector<SerialDevice>& reported) {
  return Discovery(roots, reported).Describe(path);
}

std::vector<SerialDevice> DiscoverSerialDevices() {
  return DiscoverSerialDevicesIn(PortRoots{gProgramFolder}, ReportedSerialPorts());
}

SerialDevice DescribeSerialDevice(const std::string& path) {
  return DescribeSerialDeviceIn(path, PortRoots{gProgramFolder}, ReportedSerialPorts());
}

std::string DeviceHint(const SerialDevice& device) {
  std::string hint;
  if (!device.description.empty()) hint += device.description + ", ";
  if (!device.serial.empty()) hint += "serial " + device.serial + ", ";
  return hint + device.device;
}

bool ParseUsbIdentity(const std::string& text, SerialDevice& identity) {
  const QStringList parts = Q(text).split(':');
  if (parts.size() < 3 || parts.size() > 4 || parts[0] != "usb") return false;
  std::string ids[2];
  for (int i = 0; i < 2; ++i) {
    const QString& id = parts[i + 1];
    if (id.isEmpty() || id.size() > 4) return false;
    for (const QChar c : id) {
      if (!std::isxdigit(static_cast<unsigned char>(c.toLatin1()))) return false;
    }
    ids[i] = Hex4(static_cast<quint16>(id.toUInt(nullptr, 16)));
  }
  if (parts.size() == 4 && parts[3].isEmpty()) return false;
  identity.vid = ids[0];
  identity.pid = ids[1];
  identity.serial = parts.value(3).toStdString();
  return true;
}

std::vector<SerialDevice> DevicesWithIdentity(const std::vector<SerialDevice>& devices,
                                              const SerialDevice& identity) {
  std::vector<SerialDevice> matching;
  for (const SerialDevice& device : devices) {
    if (device.vid == identity.vid && device.pid == identity.pid &&
        (identity.serial.empty() || device.serial == identity.serial))
      matching.push_back(device);
  }
  return matching;
}
