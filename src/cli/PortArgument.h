#pragma once
// What --port names: first checked for a form that can name a port at all, then found among this
// machine's devices.
#include <QString>
#include <string>

// "'LPT1' is no port name: use COM1 to COM16."
QString NoComNameText(const QString& name);
// Why PORT can name no port (an empty name, a COM name beyond the highest one, a malformed
// usb:VID:PID[:SERIAL]); empty when it may name one.
QString ImpossiblePortName(const QString& port);

// The device PORT leads to: a COM name through ports/ and the fixed table, usb:VID:PID[:SERIAL]
// the one adapter with that identity, a bare name in /dev or /dev/serial/by-id, anything else
// as a path. Returns kExitOk with device set, or the exit code after a message that says what was
// looked for and where.
int FindPortDevice(const QString& port, std::string& device);
