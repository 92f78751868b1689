// The forms --port takes and where each is looked for.
#include "PortArgument.h"

#include <QFileInfo>
#include <QStringList>
#include <vector>

#include "Commands.h"
#include "programmer/PortNames.h"
#include "programmer/SerialDevices.h"
#include "startup/Startup.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// How to name this adapter on the command line, and what a user recognises it by.
QString AdapterText(const SerialDevice& device) {
  return "usb:" + Q(device.vid + ":" + device.pid) +
         (device.serial.empty() ? "" : ":" + Q(device.serial)) + " (" + Q(DeviceHint(device)) + ")";
}

int FindAdapter(const QString& port, const SerialDevice& identity, std::string& device) {
  const std::vector<SerialDevice> present = DiscoverSerialDevices();
  const std::vector<SerialDevice> matching = DevicesWithIdentity(present, identity);
  if (matching.size() == 1) {
    device = matching.front().device;
    return kExitOk;
  }
  QStringList candidates;
  for (const SerialDevice& d : matching.empty() ? present : matching) {
    if (!d.vid.empty()) candidates << AdapterText(d);
  }
  if (matching.empty()) {
    PrintError(
        candidates.isEmpty()
            ? Cli::tr("no USB adapter is %1; none is plugged in.").arg(port)
            : Cli::tr("no USB adapter is %1; plugged in: %2.").arg(port, candidates.join(", ")));
    return kExitFailed;
  }
  PrintError(Cli::tr("%1 is %2 adapters: %3; name one with its serial number.")
                 .arg(port, QString::number(matching.size()), candidates.join(", ")));
  return kExitUsage;
}

}  // namespace

QString NoComNameText(const QString& name) {
  return Cli::tr("'%1' is no port name: use COM1 to COM16.").arg(name);
}

QString ImpossiblePortName(const QString& port) {
  if (port.isEmpty())
    return Cli::tr(
        "the port name is empty: give a COM name, a device such as /dev/ttyUSB0, or "
        "usb:VID:PID.");
  const std::string name = port.toStdString();
  if (IsComPortName(name) && ComPortNumber(name) == 0) return NoComNameText(port);
  SerialDevice identity;
  if (port.startsWith("usb:") && !ParseUsbIdentity(name, identity))
    return Cli::tr(
               "'%1' names no USB adapter: use usb:VID:PID or usb:VID:PID:SERIAL with the "
               "hexadecimal ids 'padflasher-cli ports' shows.")
        .arg(port);
  return {};
}

int FindPortDevice(const QString& port, std::string& device) {
  const std::string name = port.toStdString();
  SerialDevice identity;
  if (ParseUsbIdentity(name, identity)) return FindAdapter(port, identity, device);
  const PortRoots roots{gProgramFolder};
  device = ResolvePortArgumentIn(name, roots);
  if (IsComPortName(name)) {
    if (!device.empty()) return kExitOk;
    PrintError(Cli::tr("%1 does not stand for any serial device on this machine; list the "
                       "ports with 'padflasher-cli ports' or give a device path.")
                   .arg(port));
    return kExitFailed;
  }
  const QFileInfo found(Q(device));
  if (port.contains('/') || found.exists() || found.isSymLink()) return kExitOk;
  PrintError(Cli::tr("no device '%1' in %2/ or %2/serial/by-id/; list the ports with "
                     "'padflasher-cli ports'.")
                 .arg(port, Q(roots.devRoot)));
  return kExitFailed;
}
