#pragma once
// The parts of the self-update that differ between Windows and Linux (or any POSIX system): the
// name under which a program line is installed, the update script, and how it is started. CMake
// builds exactly one of SelfUpdateWindows.cpp and SelfUpdatePosix.cpp; the rest of the
// self-update is the same everywhere. (InstalledName and UpdateScriptName, declared in
// SelfUpdate.h, are defined there too.)
#include <string>
#include <vector>

#include "webupdate/Catalogue.h"

// The update script for the newer entries of programs, for the program folder and executable.
std::string UpdateScriptText(const std::vector<ProgramFileEntry>& programs);
// Starts the script at path detached from this process; false when it cannot be started.
bool StartUpdateScript(const std::string& path);
