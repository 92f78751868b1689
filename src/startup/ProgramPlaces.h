#pragma once
// Where the program keeps its files. A copy run from its build folder, or from any folder the
// user put it in, is portable: everything lives beside the executable and is named after it.
// An installed copy (the package, `cmake --install`) may not write below its prefix, so it keeps
// the user's files in the XDG folders and reads only its help pages from the prefix.
#include <functional>
#include <string>

#include "base/AtomicFile.h"  // MakeUserFolder

struct ProgramPlaces {
  bool installed = false;
  std::string programFolder;       // versions file, firmware files, ports/, downloads
  std::string settingsFolder;      // holds <baseName>.ini
  std::string helpFolder;          // the help pages
  std::string translationsFolder;  // the catalogues padflasher_<language>.qm
  std::string logFolder;           // holds debugexe.txt; empty: the folder current at launch
  std::string baseName;            // names the files, titles the message boxes
};

// The value of an environment variable; empty when it is not set.
using Environment = std::function<std::string(const std::string& name)>;

// The process environment; HOME falls back to the password database when it is not set.
Environment SystemEnvironment();

// A portable copy in folder whose files are named after baseName.
ProgramPlaces PortablePlaces(const std::string& folder, const std::string& baseName);

// The places of the executable at exePath (absolute). It counts as installed when the install
// layout's data folder (dataFromBin, relative to the executable's folder) exists.
ProgramPlaces ChooseProgramPlaces(const std::string& exePath, const std::string& dataFromBin,
                                  const Environment& env);

// $variable when it holds an absolute path (the XDG rule: relative values are ignored),
// otherwise $HOME/fallback.
std::string XdgFolder(const Environment& env, const std::string& variable,
                      const std::string& fallback);
