// The self-update on Linux and other POSIX systems: the executable has no extension, and a shell
// script that waits for this process to end swaps the files in.
#include <QCoreApplication>
#include <QProcess>

#include "base/TextUtil.h"
#include "startup/Startup.h"
#include "webupdate/SelfUpdate.h"
#include "webupdate/SelfUpdatePlatform.h"

std::string InstalledName(const ProgramFileEntry& entry, const std::string& executableName) {
  return IsExecutableLine(entry.FileName, executableName) ? executableName : entry.FileName;
}

std::string UpdateScriptName() {
  return "WebUpdate.sh";
}

std::string UpdateScriptText(const std::vector<ProgramFileEntry>& programs) {
  return BuildUpdateScript(gProgramFolder, gBaseName, programs, QCoreApplication::applicationPid());
}

bool StartUpdateScript(const std::string& path) {
  return QProcess::startDetached("/bin/sh", {FilePath(path)});
}
