#include "base/DebugLog.h"

#include <cstdio>

#include "base/AtomicFile.h"
#include "base/DebugLogClock.h"

namespace {
std::string gLogName = "debugexe.txt";
std::string gLogFolder;
bool gDebugEnabled = false;
std::FILE* gLogFile = nullptr;
DebugLogClock gClock;
}  // namespace

void SetDebugLogClock(DebugLogClock clock) {
  gClock = std::move(clock);
}

std::string DebugLogTimeStamp(const QDateTime& local) {
  const QDate d = local.date();
  const QTime t = local.time();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", d.year(), d.month(), d.day(),
                t.hour(), t.minute(), t.second());
  return stamp;
}

void SetDebugLogFolder(const std::string& folder) {
  gLogFolder = folder;
}

void SetDebugLogName(const std::string& name) {
  gLogName = name;
}

void OpenDebugLog() {
  CloseDebugLog();
  // Relative unless a folder is set: the log lands in the folder the program was started from.
  std::string name = gLogName;
  if (!gLogFolder.empty()) {
    std::string ignored;  // no folder, no log: the program runs without one
    MakeUserFolder(gLogFolder, ignored);
    name = gLogFolder + "/" + name;
  }
  std::remove(name.c_str());
  gLogFile = std::fopen(name.c_str(), "wb");
  // A log that cannot be created (another copy holds it, a read-only folder): run without one.
  gDebugEnabled = true;
}

void DebugLog(const std::string& message) {
  if (!gDebugEnabled || !gLogFile) return;
  const std::string line =
      DebugLogTimeStamp(gClock ? gClock() : QDateTime::currentDateTime()) + ": " + message + "\r\n";
  std::fwrite(line.data(), 1, line.size(), gLogFile);
  // Flushed per line so that the trace survives a crash, which is when it is needed most.
  std::fflush(gLogFile);
}

void SetDebugEnabled(bool enabled) {
  gDebugEnabled = enabled;
}

bool DebugEnabled() {
  return gDebugEnabled;
}

void CloseDebugLog() {
  if (gLogFile) std::fclose(gLogFile);
  gLogFile = nullptr;
}
