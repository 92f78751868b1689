#include "HcsimProcess.h"

#include <signal.h>

HcsimProcess::~HcsimProcess() {
  if (Running()) Kill();
}

bool HcsimProcess::Start(const QString& linkPath, const QStringList& extra) {
  process_.start(QStringLiteral(PADFLASHER_BIN_DIR "/hcsim"),
                 QStringList{"--link", linkPath} + extra);
  if (!process_.waitForStarted(10000)) return false;
  // The path line comes once the link is in place.
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(10000)) return false;
  }
  ptyPath_ = QString::fromUtf8(process_.readLine()).trimmed();
  return ptyPath_.startsWith('/');
}

int HcsimProcess::Stop() {
  if (!Running()) return process_.exitCode();
  ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
  return WaitForExit();
}

void HcsimProcess::Kill() {
  process_.kill();
  process_.waitForFinished(10000);
}

int HcsimProcess::WaitForExit() {
  if (Running() && !process_.waitForFinished(15000)) return -1;
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

std::string HcsimProcess::ErrorOutput() {
  return process_.readAllStandardError().toStdString();
}

bool ReadUntilHash(ISerialPort& port, IClock& clock, std::string& reply, int timeoutMs) {
  reply.clear();
  const uint32_t start = clock.TickCount();
  while (port.IsOpen() && clock.TickCount() - start < static_cast<uint32_t>(timeoutMs)) {
    if (port.BytesWaiting() == 0) {
      port.WaitForData(static_cast<int>(timeoutMs - (clock.TickCount() - start)));
      continue;
    }
    const int byte = port.ReadByte();
    if (byte == '#') return true;
    if (byte >= 0) reply.push_back(static_cast<char>(byte));
  }
  return false;
}

bool Exchange(ISerialPort& port, IClock& clock, const std::string& command, std::string& reply,
              int timeoutMs) {
  return port.Write(command) && ReadUntilHash(port, clock, reply, timeoutMs);
}
