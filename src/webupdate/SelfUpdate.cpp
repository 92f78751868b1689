#include "webupdate/SelfUpdate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/Download.h"
#include "webupdate/HTTPClass.h"
#include "webupdate/SelfUpdatePlatform.h"
#include "webupdate/WebTexts.h"

namespace {

// A program file is a few megabytes; a site that sends more is not sending a program file.
constexpr qint64 kMaxProgramFileBytes = 64 * 1024 * 1024;

bool IsVersioned(const std::string& fileName, const std::string& executableName) {
  return EndsWithNoCase(fileName, ".EXE") || IsExecutableLine(fileName, executableName);
}

// Version text "x.y.z" against own; missing parts count as 0.
bool IsNewerVersion(const std::string& version, const ProgramVersion& own) {
  int parts[3] = {0, 0, 0};
  size_t start = 0;
  for (int& part : parts) {
    if (start > version.size()) break;
    size_t dot = version.find('.', start);
    std::string piece = version.substr(start, dot == std::string::npos ? dot : dot - start);
    part = static_cast<int>(std::clamp(LeadingNumber(piece), -1e9, 1e9));
    start = dot == std::string::npos ? version.size() + 1 : dot + 1;
  }
  if (parts[0] != own.Major) return parts[0] > own.Major;
  if (parts[1] != own.Minor) return parts[1] > own.Minor;
  return parts[2] > own.Revision;
}

std::function<void()>& Ender() {
  static std::function<void()> ender;
  return ender;
}

std::function<bool(const std::string&)>& Starter() {
  static std::function<bool(const std::string&)> starter;
  return starter;
}

// The pending copy gets the installed file's permissions, and the executable can run whatever
// the installed copy allowed: the script only renames, and an update that cannot start is a
// lost program. False when the permissions could not be set.
bool GivePermissions(const ProgramFileEntry& entry, const std::string& pending) {
  const QString pendingPath = FilePath(pending);
  QFileInfo installed(FilePath(gProgramFolder + "/" + InstalledName(entry, gBaseName)));
  // The mode bits only: the "user" flags say what this process may do, not what the file says.
  const QFile::Permissions modeBits =
      ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
  QFile::Permissions wanted =
      (installed.exists() ? installed.permissions() : QFile::permissions(pendingPath)) & modeBits;
  if (IsExecutableLine(entry.FileName, gBaseName)) wanted |= QFile::ReadOwner | QFile::ExeOwner;
  if (QFile::setPermissions(pendingPath, wanted) &&
      (QFile::permissions(pendingPath) & modeBits) == wanted) {
    return true;
  }
  DebugLog("InstallProgramUpdate: cannot set the permissions of " + pending);
  return false;
}

}  // namespace

ProgramVersion OwnProgramVersion() {
  return {PADFLASHER_VERSION_MAJOR, PADFLASHER_VERSION_MINOR, PADFLASHER_VERSION_REVISION};
}

bool IsExecutableLine(const std::string& fileName, const std::string& executableName) {
  // Names are compared without regard to case, as the catalogue's names always were: a line
  // "$PADFLASHER.EXE" that missed the executable would be offered again at every start.
  if (EqualsNoCaseAscii(fileName, executableName)) return true;
  return fileName.size() == executableName.size() + 4 &&
         EqualsNoCaseAscii(fileName.substr(0, executableName.size()), executableName) &&
         EndsWithNoCase(fileName, ".EXE");
}

bool CheckProgramVersions(std::vector<ProgramFileEntry>& programs, const ProgramVersion& own,
                          const std::string& folder, const std::string& executableName) {
  bool any = false;
  for (ProgramFileEntry& entry : programs) {
    entry.Newer = false;
    if (IsVersioned(entry.FileName, executableName)) {
      entry.Newer = IsNewerVersion(entry.Version, own);
    } else {
      std::string path = folder + "/" + InstalledName(entry, executableName);
      if (!FileExists(path)) {
        entry.Newer = true;
      } else {
        QDateTime written = QFileInfo(FilePath(path)).lastModified().toLocalTime();
        entry.Newer = entry.Version > written.toString("yyyy-MM-dd").toStdString();
      }
    }
    any = any || entry.Newer;
  }
  return any;
}

HostMessage ProgramUpdateOffer(const std::vector<ProgramFileEntry>& programs,
                               const std::string& executableName) {
  std::string text;
  for (const ProgramFileEntry& entry : programs) {
    if (!entry.Newer) continue;
    bool numbered =
        IsVersioned(entry.FileName, executableName) || EndsWithNoCase(entry.FileName, ".DLL");
    text += entry.FileName + (numbered ? "  v" : "   ") + entry.Version + "\r\n";
  }
  return WebMessage(MessageKind::ProgramUpdateOffer, {text});
}

bool InstallProgramUpdate(std::vector<ProgramFileEntry>& programs, IHost& host,
                          const TransferProgress& progress,
                          const std::function<void(const std::string&)>& status) {
  HTTPClass http(host);
  int32_t expected = 0;
  QObject::connect(&http, &HTTPClass::Progress, [&](int bytes) {
    if (progress) progress(bytes, expected);
  });
  bool success = true;
  for (const ProgramFileEntry& entry : programs) {
    if (!entry.Newer) continue;
    host.Breathe();
    // A file that cannot be fetched must not leave a gap the script would trip over.
    if (!OpenDownloadSite(http)) {
      DebugLog("InstallProgramUpdate: cannot open the site for " + entry.FileName);
      success = false;
      continue;
    }
    expected = entry.Size;
    http.SetMaxBytes(kMaxProgramFileBytes);
    QByteArray bytes = FetchFile(http, entry.FileName, entry.Sha256);
    const std::string pending = gProgramFolder + "/" + entry.PendingName;
    if (bytes.isEmpty() || !WriteFileAtomically(pending, bytes.toStdString())) {
      success = false;
      continue;
    }
    if (!GivePermissions(entry, pending)) {
      success = false;
      continue;
    }
    if (!IsVersioned(entry.FileName, gBaseName)) Touch(pending, entry.Version);
  }
  host.Breathe();
  if (!success) return false;
  if (status) status(QCoreApplication::translate("Web", "Installing Program ...").toStdString());
  host.Breathe();
  const std::string script = gProgramFolder + "/" + UpdateScriptName();
  if (!WriteFileAtomically(script, UpdateScriptText(programs))) return false;
  host.Message(WebMessage(MessageKind::ProgramDownloaded));
  if (Starter() ? !Starter()(script) : !StartUpdateScript(script)) {
    DebugLog("InstallProgramUpdate: the update script could not be started");
    return false;
  }
  return true;
}

void SetProgramEnder(std::function<void()> ender) {
  Ender() = std::move(ender);
}

void SetScriptStarter(std::function<bool(const std::string&)> starter) {
  Starter() = std::move(starter);
}

void EndProgramAtOnce() {
  if (Ender()) {
    Ender()();
    return;
  }
  CloseDebugLog();
  std::_Exit(0);
}
