#pragma once
// One command on several hand controls at once: a copy of this program per port, each started
// with --port P --json --worker TAG, so that one hand control that fails or hangs leaves the
// others alone. Their progress is drawn one line per port and their documents are kept for the
// summary.
#include <QString>
#include <QStringList>
#include <functional>

class CommandLine;

// What names a port's files: "COM3", "ttyUSB0", "serial-by-id-usb-FTDI_A10K", "usb-0403-6001-A1";
// only letters, digits, '.', '_' and '-'.
QString PortTag(const QString& port);
// file with "-TAG" before its extension: "trace.txt" -> "trace-COM3.txt".
QString PerPortFileName(const QString& file, const QString& tag);

// Runs the command of cl on each of its ports at once; positional(tag) gives a copy's arguments
// after its options. Returns 0 when every port succeeded, else the worst code a single run gave:
// 130 (cancelled) before 1 (failed) before 2 (bad usage or input).
int RunOnEachPort(const CommandLine& cl,
                  const std::function<QStringList(const QString&)>& positional);
