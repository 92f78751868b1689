#include "startup/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>
#include <filesystem>
#include <system_error>

#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/ProgramPlaces.h"
#include "startup/Settings.h"
#include "startup/Versions.h"

std::string gProgramFolder;
std::string gBaseName;

// Where an installed copy finds its data folder, seen from its executable's folder; the build
// derives it from the install layout.
#ifndef PADFLASHER_DATA_FROM_BIN
#define PADFLASHER_DATA_FROM_BIN "../share/padflasher"
#endif

namespace {
HelpViewer gHelpViewer;
std::function<void()> gClosePort;
ProgramPlaces gPlaces;

std::string ExecutablePath() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return exe.string();
  if (QCoreApplication::instance())
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
  return {};
}
}  // namespace

void InitProgramPaths() {
  const std::string exe = ExecutablePath();
  if (exe.empty()) {
    SetProgramPaths(QDir::currentPath().toStdString(), "PadFlasher");
    return;
  }
  UseProgramPlaces(ChooseProgramPlaces(exe, PADFLASHER_DATA_FROM_BIN, SystemEnvironment()));
}

void SetProgramPaths(const std::string& folder, const std::string& baseName) {
  UseProgramPlaces(PortablePlaces(folder, baseName));
}

void UseProgramPlaces(const ProgramPlaces& places) {
  gPlaces = places;
  gProgramFolder = places.programFolder;
  gBaseName = places.baseName;
  SetDebugLogFolder(places.logFolder);
}

bool ProgramInstalled() {
  return gPlaces.installed;
}

bool MakeProgramFolders(std::string& error) {
  if (!gPlaces.installed) return true;
  std::string reason;
  for (const std::string& folder : {gPlaces.programFolder, gPlaces.settingsFolder}) {
    if (!MakeUserFolder(folder, reason)) {
      error = "Cannot create the folder " + reason;
      return false;
    }
  }
  return true;
}

std::string ProgramFile(const std::string& extension) {
  return gProgramFolder + "/" + gBaseName + extension;
}

std::string SettingsFileName() {
  return gPlaces.settingsFolder + "/" + gBaseName + ".ini";
}
std::string VersionsFileName() {
  return ProgramFile(".ver");
}
std::string CatalogueHistoryFileName() {
  return gPlaces.installed ? gPlaces.logFolder + "/" + gBaseName + ".seen" : ProgramFile(".seen");
}

bool IsProgramFileName(const std::string& name) {
  for (const std::string& own :
       {gBaseName + ".ini", gBaseName + ".ver", gBaseName + ".help", gBaseName + ".seen",
        std::string("WebUpdate.sh"), std::string("WebUpdate.bat"), std::string("ports"),
        std::string("debugexe.txt")}) {
    if (EqualsNoCaseAscii(name, own)) return true;
  }
  return false;
}

std::string ProgramVersionText() {
  return std::to_string(PADFLASHER_VERSION_MAJOR) + "." + std::to_string(PADFLASHER_VERSION_MINOR) +
         "." + std::to_string(PADFLASHER_VERSION_REVISION);
}

std::string WindowCaption() {
  return gBaseName + "  v" + ProgramVersionText();
}

void StartProgram() {
  if (gProgramFolder.empty()) InitProgramPaths();
  std::string error;
  if (!MakeProgramFolders(error)) DebugLog(error);
  if (!QDir::setCurrent(FilePath(gProgramFolder)))
    DebugLog("Cannot make " + gProgramFolder + " the current folder");
  LoadSettings(SettingsFileName());
  LoadVersions(VersionsFileName());
}

void EndProgram() {
  SaveSettings(SettingsFileName());
  if (!gComPort.empty() && gClosePort) gClosePort();
}

bool FileExists(const std::string& fileName) {
  if (fileName.empty()) return false;
  const QFileInfo info(FilePath(fileName));
  return info.isFile() && info.isReadable();
}

void SetClosePortHook(std::function<void()> closePort) {
  gClosePort = std::move(closePort);
}

void SetHelpViewer(HelpViewer viewer) {
  gHelpViewer = std::move(viewer);
}

void ShowHelp(const std::string& topic) {
  if (!gHelpViewer) return;
  // Help is a courtesy: a missing folder, page or viewer error is never reported. The viewer is
  // other code; Qt throws nothing, so what can come out of it is the standard library's kind
  // (std::bad_alloc, a std::function left empty, a failing conversion), all std::exception.
  try {
    gHelpViewer(HelpFolder(), topic);
  } catch (const std::exception&) {
  }
}

std::string HelpFolder() {
  return gPlaces.helpFolder;
}

std::string TranslationsFolder() {
  return gPlaces.translationsFolder;
}
