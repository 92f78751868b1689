#include "startup/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/Settings.h"
#include "startup/Versions.h"

std::string gProgramFolder;
std::string gBaseName;

namespace {
HelpViewer gHelpViewer;
std::function<void()> gClosePort;

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
  const std::filesystem::path exe = ExecutablePath();
  if (exe.empty()) {
    SetProgramPaths(QDir::currentPath().toStdString(), "PadFlasher");
    return;
  }
  SetProgramPaths(exe.parent_path().string(), exe.stem().string());
}

void SetProgramPaths(const std::string& folder, const std::string& baseName) {
  gProgramFolder = folder;
  while (gProgramFolder.size() > 1 && gProgramFolder.back() == '/') gProgramFolder.pop_back();
  gBaseName = baseName;
}

std::string ProgramFile(const std::string& extension) {
  return gProgramFolder + "/" + gBaseName + extension;
}

std::string SettingsFileName() {
  return ProgramFile(".ini");
}
std::string VersionsFileName() {
  return ProgramFile(".ver");
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
  // Help is a courtesy: a missing folder, page or viewer error is never reported.
  try {
    gHelpViewer(ProgramFile(".help"), topic);
  } catch (...) {
  }
}
