#include "ProgramState.h"

#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

void ClearSettings() {
  gComPort.clear();
  gVersions.clear();
  gQueryVerify = false;
  gHighContrast = false;
  gPublicKey.clear();
  gCAFile.clear();
}

SavedProgramState::SavedProgramState() : folder_(gProgramFolder), baseName_(gBaseName) {
  ClearSettings();
}

SavedProgramState::~SavedProgramState() {
  ClearSettings();
  SetProgramPaths(folder_, baseName_);
}
