// The self-update on Windows: files keep their catalogue names, and a batch file run by the
// command interpreter that COMSPEC names swaps them in.
#include <QDir>
#include <QProcess>

#include "base/TextUtil.h"
#include "startup/Startup.h"
#include "webupdate/SelfUpdate.h"
#include "webupdate/SelfUpdatePlatform.h"

std::string InstalledName(const ProgramFileEntry& entry, const std::string&) {
  return entry.FileName;
}

std::string UpdateScriptName() {
  return "WebUpdate.bat";
}

std::string UpdateScriptText(const std::vector<ProgramFileEntry>& programs) {
  return BuildUpdateBatch(QDir::toNativeSeparators(FilePath(gProgramFolder)).toStdString(),
                          gBaseName, programs);
}

bool StartUpdateScript(const std::string& path) {
  const QString command = qEnvironmentVariable("COMSPEC");
  return QProcess::startDetached(command, {"/C", QDir::toNativeSeparators(FilePath(path))});
}
