#pragma once
// Start-up and shut-down services: where the program's files live, and the two steps that
// frame a run.
#include <functional>
#include <string>

// Folder of the executable (no trailing "/") and the executable's name without extension.
extern std::string gProgramFolder;
extern std::string gBaseName;

struct ProgramPlaces;

// Chooses the places from the running executable (/proc/self/exe on Linux): beside it when it
// is portable, the XDG folders when it is installed (see ProgramPlaces.h).
void InitProgramPaths();
// For the CLI's --folder and for tests: a portable program folder and base name.
void SetProgramPaths(const std::string& folder, const std::string& baseName);
void UseProgramPlaces(const ProgramPlaces& places);
// True when the running copy is installed: its own files belong to the package manager.
bool ProgramInstalled();
// Installed, the program and settings folders are the user's and made on first use. False,
// with the reason in error, when one cannot be made.
bool MakeProgramFolders(std::string& error);

// gProgramFolder + "/" + gBaseName + extension, e.g. ProgramFile(".ini").
std::string ProgramFile(const std::string& extension);
std::string SettingsFileName();  // <settings folder>/<base name>.ini
std::string VersionsFileName();  // ProgramFile(".ver")
// What the program remembers of the download sites: ProgramFile(".seen") when portable, the
// same name in the state folder when installed.
std::string CatalogueHistoryFileName();

// Whether name is, in any letter case, one of the names the program gives its own files and
// folders (settings, versions, site history, update script, help, ports, debug log): a download
// or an output the user names must never take their place.
bool IsProgramFileName(const std::string& name);

// The program's own version, 1.0.2, and the wizard caption "PadFlasher  v1.0.2".
std::string ProgramVersionText();
std::string WindowCaption();

void StartProgram();
// Writes the settings back and, when a port is named, closes it through the close-port hook.
void EndProgram();
// How EndProgram closes the serial port; installed by the link when it gets its port.
void SetClosePortHook(std::function<void()> closePort);
bool FileExists(const std::string& fileName);

// Shows a help topic ("Step1.htm" ...). The window program installs a viewer; without one, or
// when the topic is missing, nothing happens.
using HelpViewer = std::function<void(const std::string& helpFolder, const std::string& topic)>;
void SetHelpViewer(HelpViewer viewer);
void ShowHelp(const std::string& topic);
std::string HelpFolder();
// Where the catalogues of the program's texts lie (see ProgramPlaces.h).
std::string TranslationsFolder();
