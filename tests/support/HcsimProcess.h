#pragma once
// hcsim as a child process: the simulated hand control on a real pseudo-terminal.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

#include "programmer/Ports.h"

class HcsimProcess {
 public:
  ~HcsimProcess();
  // Starts hcsim --link linkPath plus extra; true once it printed its pseudo-terminal's path.
  bool Start(const QString& linkPath, const QStringList& extra = {});
  // SIGTERM and wait: the clean end (link removed, flash written back). Returns the exit code.
  int Stop();
  // SIGKILL: the cable is pulled.
  void Kill();
  bool Running() const { return process_.state() != QProcess::NotRunning; }
  // Waits (bounded) for hcsim to end by itself; its exit code, or -1 when it did not.
  int WaitForExit();
  std::string ErrorOutput();
  const QString& PtyPath() const { return ptyPath_; }

 private:
  QProcess process_;
  QString ptyPath_;
};

// Sends command over port and collects the reply up to "#"; false when none came in timeoutMs.
bool Exchange(ISerialPort& port, IClock& clock, const std::string& command, std::string& reply,
              int timeoutMs = 3000);
// The reply to a command already sent.
bool ReadUntilHash(ISerialPort& port, IClock& clock, std::string& reply, int timeoutMs = 3000);
