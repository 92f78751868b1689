// ports: the serial devices of this machine with their USB identity, and the COM names of the
// program folder's ports/ links.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "PortArgument.h"
#include "Report.h"
#include "programmer/Link.h"
#include "programmer/PortNames.h"
#include "programmer/SerialDevices.h"
#include "startup/Startup.h"

namespace {

// Why a device cannot be a port, and where to look for one.
QString UnfitDeviceText(DeviceFitness fitness, const QString& path) {
  switch (fitness) {
    case DeviceFitness::Missing:
      return Cli::tr("%1 does not exist. List the devices with 'padflasher-cli ports'.").arg(path);
    case DeviceFitness::OwnTerminal:
      return Cli::tr(
                 "%1 is a terminal of this computer, not a serial port: the hand control's "
                 "protocol would go to the screen. List the devices with 'padflasher-cli "
                 "ports'.")
          .arg(path);
    case DeviceFitness::Multiplexer:
      return Cli::tr(
                 "%1 is the pseudo-terminal multiplexer, not a serial port; give the "
                 "pseudo-terminal itself (/dev/pts/N). List the devices with 'padflasher-cli "
                 "ports'.")
          .arg(path);
    default:
      return Cli::tr("%1 is not a serial device. List the devices with 'padflasher-cli ports'.")
          .arg(path);
  }
}

QString NotALinkText(const QString& path) {
  return Cli::tr("%1 is not a link; remove or rename it by hand.").arg(path);
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QJsonValue OrNull(const std::string& text) {
  return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(Q(text));
}

QString DeviceLine(const SerialDevice& d) {
  QStringList parts{Q(d.com.empty() ? "-" : d.com), Q(d.device)};
  QStringList identity;
  if (!d.description.empty()) identity << Q(d.description);
  if (!d.manufacturer.empty()) identity << Q(d.manufacturer);
  if (!d.vid.empty()) identity << Q(d.vid + ":" + d.pid);
  if (!d.serial.empty()) identity << "serial " + Q(d.serial);
  if (!identity.isEmpty()) parts << identity.join(", ");
  if (!d.byId.empty()) parts << Q(d.byId);
  return parts.join("  ");
}

// The ports/ link through which the device has its COM name; empty when the fixed table gives
// it.
std::string ComLink(const SerialDevice& d) {
  if (d.com.empty()) return {};
  const std::string path = ResolvePortDeviceIn(d.com, PortRoots{gProgramFolder});
  return path == d.device ? std::string() : path;
}

// device is the node itself (/dev/ttyUSB0, /dev/pts/3), whichever link led there.
QJsonObject DeviceJson(const SerialDevice& d) {
  return {{"com", OrNull(d.com)},
          {"device", OrNull(d.device)},
          {"link", OrNull(ComLink(d))},
          {"by_id", OrNull(d.byId)},
          {"description", OrNull(d.description)},
          {"manufacturer", OrNull(d.manufacturer)},
          {"vid", OrNull(d.vid)},
          {"pid", OrNull(d.pid)},
          {"serial", OrNull(d.serial)}};
}

// The entries of ports/ that stand for port n, in any letter case.
QFileInfoList PortsEntries(int n) {
  QFileInfoList found;
  const QDir dir(Q(gProgramFolder + "/ports"));
  for (const QFileInfo& entry :
       dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    if (ComPortNumber(entry.fileName().toStdString()) == n) found << entry;
  }
  return found;
}

int ComNumberOrComplain(const QString& name) {
  const int n = ComPortNumber(name.toStdString());
  if (n == 0) PrintError(NoComNameText(name));
  return n;
}

// Only links are ours to replace or remove; anything else in ports/ was put there by hand.
bool AllLinks(const QFileInfoList& entries) {
  for (const QFileInfo& entry : entries) {
    if (!entry.isSymLink()) {
      PrintError(NotALinkText(entry.filePath()));
      return false;
    }
  }
  return true;
}

bool RemoveLinks(const QFileInfoList& entries) {
  if (!AllLinks(entries)) return false;
  for (const QFileInfo& entry : entries) {
    if (::unlink(entry.filePath().toLocal8Bit().constData()) != 0) {
      PrintError(Cli::tr("cannot remove %1: %2")
                     .arg(entry.filePath(), QString::fromLocal8Bit(strerror(errno))));
      return false;
    }
  }
  return true;
}

int Assign(const QString& name, const QString& deviceArgument) {
  const int n = ComNumberOrComplain(name);
  if (n == 0) return kExitUsage;
  const PortRoots roots{gProgramFolder};
  if (ComPortNumber(deviceArgument.toStdString()) != 0) {
    PrintError(
        Cli::tr("give the device for %1 (e.g. ttyUSB0 or /dev/serial/by-id/...), not a COM name.")
            .arg(name));
    return kExitUsage;
  }
  const std::string path = ResolvePortArgumentIn(deviceArgument.toStdString(), roots);
  if (const DeviceFitness fitness = SerialDeviceFitness(path); fitness != DeviceFitness::Serial) {
    PrintError(UnfitDeviceText(fitness, Q(path)));
    return kExitUsage;
  }
  // The by-id name survives replugging and a changed plug order; a pseudo-terminal has none.
  const SerialDevice device = DescribeSerialDevice(path);
  const QString target = Q(device.byId.empty() ? path : device.byId);
  const QString com = "COM" + QString::number(n);
  // Whatever its letter case, an entry that is no link holds something of the user's.
  if (!AllLinks(PortsEntries(n))) return kExitFailed;
  QDir ports(Q(gProgramFolder));
  if (!ports.mkpath("ports")) {
    PrintError(Cli::tr("cannot create %1").arg(ports.filePath("ports")));
    return kExitFailed;
  }
  // The new link is made beside the old one and renamed over it, so COMn never dangles.
  const QString linkPath = ports.filePath("ports/" + com);
  const QString temporary = ports.filePath("ports/." + com + ".new");
  ::unlink(temporary.toLocal8Bit().constData());
  if (::symlink(target.toLocal8Bit().constData(), temporary.toLocal8Bit().constData()) != 0) {
    PrintError(Cli::tr("cannot create a link in %1: %2")
                   .arg(ports.filePath("ports"), QString::fromLocal8Bit(strerror(errno))));
    return kExitFailed;
  }
  QFileInfoList others;
  for (const QFileInfo& entry : PortsEntries(n))
    if (entry.fileName() != com) others << entry;
  bool replaced = RemoveLinks(others);
  if (replaced &&
      ::rename(temporary.toLocal8Bit().constData(), linkPath.toLocal8Bit().constData()) != 0) {
    PrintError(
        Cli::tr("cannot create %1: %2").arg(linkPath, QString::fromLocal8Bit(strerror(errno))));
    replaced = false;
  }
  if (!replaced) {
    ::unlink(temporary.toLocal8Bit().constData());
    return kExitFailed;
  }
  PrintOut(com + " -> " + target +
           (Q(device.device) == target ? "" : " (" + Q(DeviceHint(device)) + ")"));
  return kExitOk;
}

int Unassign(const QString& name) {
  const int n = ComNumberOrComplain(name);
  if (n == 0) return kExitUsage;
  const QFileInfoList entries = PortsEntries(n);
  const QString com = "COM" + QString::number(n);
  if (entries.isEmpty()) {
    PrintError(Cli::tr("%1 has no link in %2/ports.").arg(com, Q(gProgramFolder)));
    return kExitFailed;
  }
  if (!RemoveLinks(entries)) return kExitFailed;
  const std::string fixed = ResolvePortDeviceIn(com.toStdString(), PortRoots{gProgramFolder});
  PrintOut((ComPortExists(com.toStdString())
                ? Cli::tr("%1 unassigned; it now stands for %2.")
                : Cli::tr("%1 unassigned; it now stands for %2, which is not present."))
               .arg(com, Q(fixed)));
  return kExitOk;
}

int RunPorts(const QStringList& args) {
  CommandLine cl(args, "ports [options] [assign COMn DEVICE | unassign COMn]",
                 Cli::tr("Lists the serial devices of this machine, one per line: the COM name "
                         "that leads to it (or -), the device, the USB adapter's description, "
                         "manufacturer, VID:PID and serial number, and its stable "
                         "/dev/serial/by-id name. 'assign' links ports/COMn in the program folder "
                         "to DEVICE (by its by-id name when it has one, so the name survives "
                         "replugging); 'unassign' removes that link."));
  cl.AddOption({"json", Cli::tr("Print the list as a JSON array.")});
  cl.AddPositional("assign|unassign", Cli::tr("Give a COM name to a device, or take it back."));
  cl.AddSubcommand("assign", {"COMn", "DEVICE"});
  cl.AddSubcommand("unassign", {"COMn"});
  if (int code; !cl.Parse(0, 3, code)) return code;
  // The list is the whole document here, not the report the device commands end with.
  const bool json = JsonWanted();
  SetJsonWanted(false);
  const QStringList positional = cl.Positional().mid(1);
  if (!positional.isEmpty()) {
    const QString& action = positional.first();
    if (action == "assign" && positional.size() == 3) return Assign(positional[1], positional[2]);
    if (action == "unassign" && positional.size() == 2) return Unassign(positional[1]);
    PrintError(Cli::tr("usage: padflasher-cli ports assign COMn DEVICE, or ports unassign COMn."));
    return kExitUsage;
  }
  const std::vector<SerialDevice> devices = DiscoverSerialDevices();
  if (json) {
    QJsonArray array;
    for (const SerialDevice& d : devices) array.append(DeviceJson(d));
    std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
    return kExitOk;
  }
  for (const SerialDevice& d : devices) PrintOut(DeviceLine(d));
  return kExitOk;
}

const CommandRegistrar kPorts{
    {"ports",
     QT_TRANSLATE_NOOP(
         "Cli", "list the serial devices and their COM names; assign or unassign a COM name"),
     RunPorts}};

}  // namespace
