#include "startup/ProgramPlaces.h"

#include "base/AtomicFile.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// The installed program's own folder name in the XDG places, whatever the executable is called.
constexpr const char* kInstalledName = "PadFlasher";

std::string Trimmed(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return Trimmed((std::filesystem::path(folder) / name).lexically_normal().string());
}

std::string PasswordHome() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

Environment SystemEnvironment() {
  return [](const std::string& name) -> std::string {
    const char* value = std::getenv(name.c_str());
    if (value && *value) return value;
    if (name == "HOME") return PasswordHome();
    return {};
  };
}

ProgramPlaces PortablePlaces(const std::string& folder, const std::string& baseName) {
  ProgramPlaces places;
  places.programFolder = Trimmed(folder);
  places.settingsFolder = places.programFolder;
  places.helpFolder = places.programFolder + "/" + baseName + ".help";
  places.translationsFolder = places.programFolder;
  places.baseName = baseName;
  return places;
}

std::string XdgFolder(const Environment& env, const std::string& variable,
                      const std::string& fallback) {
  const std::string value = env(variable);
  if (!value.empty() && value.front() == '/') return Joined(value, ".");
  std::string home = env("HOME");
  // Without any home folder the files still need a place the user owns: the current folder.
  if (home.empty() || home.front() != '/') {
    std::error_code error;
    home = std::filesystem::current_path(error).string();
  }
  return Joined(home, fallback);
}

ProgramPlaces ChooseProgramPlaces(const std::string& exePath, const std::string& dataFromBin,
                                  const Environment& env) {
  const std::filesystem::path exe(exePath);
  const std::filesystem::path data = (exe.parent_path() / dataFromBin).lexically_normal();
  std::error_code error;
  if (!std::filesystem::is_directory(data, error)) {
    return PortablePlaces(exe.parent_path().string(), exe.stem().string());
  }
  ProgramPlaces places;
  places.installed = true;
  places.programFolder = Joined(XdgFolder(env, "XDG_DATA_HOME", ".local/share"), kInstalledName);
  places.settingsFolder = Joined(XdgFolder(env, "XDG_CONFIG_HOME", ".config"), kInstalledName);
  places.logFolder = Joined(XdgFolder(env, "XDG_STATE_HOME", ".local/state"), kInstalledName);
  places.helpFolder = Joined(data.string(), "help");
  places.translationsFolder = Joined(data.string(), "translations");
  places.baseName = kInstalledName;
  return places;
}
