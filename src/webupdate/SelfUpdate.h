#pragma once
// Newer copies of the program's own files: the check, the offer, the download beside the old
// files under pending names, and the script that swaps them in once the program has ended.
#include <functional>
#include <string>
#include <vector>

#include "base/Host.h"
#include "webupdate/Catalogue.h"

struct ProgramVersion {
  int Major = 0, Minor = 0, Revision = 0;
};
ProgramVersion OwnProgramVersion();

// Whether a catalogue program line stands for the running executable: on Linux the executable
// has no extension, so "PadFlasher", "PadFlasher.exe" and "PadFlasher.EXE" all name it.
bool IsExecutableLine(const std::string& fileName, const std::string& executableName);
// The file in the program folder that a program line replaces.
std::string InstalledName(const ProgramFileEntry& entry, const std::string& executableName);

// Sets each entry's Newer flag; true when any is newer. Executables compare by version number
// against own; other files by the date text against the installed file's last-write date.
bool CheckProgramVersions(std::vector<ProgramFileEntry>& programs, const ProgramVersion& own,
                          const std::string& folder, const std::string& executableName);

// "A newer version of this program is available." ... "Do you wish to download and install?"
HostMessage ProgramUpdateOffer(const std::vector<ProgramFileEntry>& programs,
                               const std::string& executableName);

// The Windows batch file, CR LF line ends, none after the last line.
std::string BuildUpdateBatch(const std::string& folder, const std::string& executableName,
                             const std::vector<ProgramFileEntry>& programs);
// The POSIX shell script: waits for process pid to end, checks every pending copy, replaces the
// files in list order, starts the program again and removes itself.
std::string BuildUpdateScript(const std::string& folder, const std::string& executableName,
                              const std::vector<ProgramFileEntry>& programs, long long pid);
// "WebUpdate.sh" on Linux, "WebUpdate.bat" on Windows.
std::string UpdateScriptName();

// Downloads every newer file to its pending name, writes the update script and starts it
// detached. status shows "Installing Program ..." before the script is written. False when any
// file could not be fetched; no script is written then.
bool InstallProgramUpdate(std::vector<ProgramFileEntry>& programs, IHost& host,
                          const TransferProgress& progress,
                          const std::function<void(const std::string&)>& status);

// Ends the process at once, without the usual shut-down (the update script waits for it).
// Tests replace the ending.
void EndProgramAtOnce();
void SetProgramEnder(std::function<void()> ender);
// Starts the update script; tests replace the starting (returns false when it cannot start).
void SetScriptStarter(std::function<bool(const std::string& scriptPath)> starter);
