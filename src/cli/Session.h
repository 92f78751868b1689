#pragma once
// Installs the console's link services and opens the hand control for a command.
#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <string>

// Creates the serial port, clock and console host and hands them to the link. Needs the
// QCoreApplication to exist.
void InstallConsoleServices();

// --stats: at the end of the command print the bytes that crossed the line and the CPU used.
void SetStatsWanted(bool wanted);
void PrintStatsIfWanted();

struct LineCounts {
  unsigned long long sent = 0, received = 0;
};
// What crossed this process's line, plus what the copies run for several ports reported.
LineCounts SerialLineCounts();
void AddWorkerLineCounts(long long sent, long long received);
// --verbose: each command and reply on stderr.
void SetVerbose(bool verbose);
// --trace FILE: false after saying why the file cannot be written.
bool StartTrace(const QString& file);
// Completes the trace; false after saying that a write failed.
bool EndTrace();

// Resolves PORT (a COM name as the window resolves it, or a device path; empty means the
// settings' COMPORT), opens it and runs the presence test. Returns kExitOk, or the exit code
// after a message that names what failed and what to do.
int OpenHandControl(const QString& portArgument);

// The --port option every device command takes.
QString PortOptionDescription();

// Loads IMAGE into the image buffer; on failure prints the firmware page's error text with what
// was found, and returns kExitUsage.
int LoadImageForCommand(const QString& path);

// The exit code of a finished hand control operation: 130 when the user cancelled it.
int OperationExitCode(bool succeeded);

// Reads every block of the four written ranges into image (0xFF elsewhere).
int ReadHandControlImage(std::string& image);
// Whether file, named on the command line for an output, may be written: not one of the
// program's own files, not a symbolic link, not read-only. False after saying why.
bool OutputFileAllowed(const QString& file);
// Reads the hand control into file, written atomically.
int ReadHandControlToFile(const QString& file);

// Queries the hand control's firmware and prints "Code: ", "Type: " and "Version: " lines; the
// JSON document gets it under each key given.
int PrintHandControlIdentity(const QStringList& reportKeys);

// --json, for the commands that can answer with a JSON document.
QCommandLineOption JsonOption();
