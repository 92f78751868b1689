// Portable or installed: where the program keeps its files, chosen from where its executable
// lies and, when installed, from the XDG environment.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "ProgramState.h"
#include "TempFolder.h"
#include "base/DebugLog.h"
#include "startup/ProgramPlaces.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

Environment Env(const std::map<std::string, std::string>& values) {
  return [values](const std::string& name) {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  };
}

class ProgramPlacesTest : public TempFolderTest {
 protected:
  void MakeFolder(const std::string& relative) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path(relative)))) << relative;
  }
  // Installed places whose XDG folders lie in the temporary folder.
  ProgramPlaces Installed() {
    MakeFolder("usr/bin");
    MakeFolder("usr/share/padflasher/help");
    return ChooseProgramPlaces(Path("usr/bin/padflasher"), "../share/padflasher",
                               Env({{"HOME", Path("home")}}));
  }

 private:
  SavedProgramState saved_;
};

TEST_F(ProgramPlacesTest, TheInstallLayoutBesideTheExecutableDecidesTheMode) {
  struct Case {
    std::string exe;                   // relative to the temporary folder
    std::vector<std::string> folders;  // made first
    std::string file;                  // made first, when not empty
    bool installed;
    std::string baseName;
  };
  const std::vector<Case> cases = {
      {"build/bin/PadFlasher", {"build/bin"}, "", false, "PadFlasher"},
      {"copy/Foo", {"copy/share/padflasher"}, "", false, "Foo"},
      {"usr/bin/padflasher", {"usr/bin", "usr/share/padflasher"}, "", true, "PadFlasher"},
      {"usr/bin/padflasher-cli", {"usr/share/padflasher"}, "", true, "PadFlasher"},
      {"opt/pf/bin/padflasher", {"opt/pf/share/padflasher/help"}, "", true, "PadFlasher"},
      {"usr2/bin/padflasher",
       {"usr2/bin", "usr2/share"},
       "usr2/share/padflasher",
       false,
       "padflasher"},
      {"usr3/bin/padflasher", {"usr3/share/other"}, "", false, "padflasher"},
  };
  for (const auto& c : cases) {
    for (const auto& folder : c.folders) MakeFolder(folder);
    if (!c.file.empty()) WriteBytes(Path(c.file), "not a folder");
    const ProgramPlaces places =
        ChooseProgramPlaces(Path(c.exe), "../share/padflasher", Env({{"HOME", "/home/u"}}));
    SCOPED_TRACE(c.exe);
    EXPECT_EQ(places.installed, c.installed);
    EXPECT_EQ(places.baseName, c.baseName);
    const std::string exeFolder =
        QFileInfo(QString::fromStdString(Path(c.exe))).path().toStdString();
    if (c.installed) {
      EXPECT_EQ(places.programFolder, "/home/u/.local/share/PadFlasher");
      EXPECT_EQ(places.settingsFolder, "/home/u/.config/PadFlasher");
      EXPECT_EQ(places.logFolder, "/home/u/.local/state/PadFlasher");
      const std::string prefix = exeFolder.substr(0, exeFolder.size() - 4);  // without "/bin"
      EXPECT_EQ(places.helpFolder, prefix + "/share/padflasher/help");
      EXPECT_EQ(places.translationsFolder, prefix + "/share/padflasher/translations");
    } else {
      EXPECT_EQ(places.programFolder, exeFolder);
      EXPECT_EQ(places.settingsFolder, exeFolder);
      EXPECT_EQ(places.logFolder, "") << "portable: the log stays in the launch folder";
      EXPECT_EQ(places.helpFolder, exeFolder + "/" + c.baseName + ".help");
      EXPECT_EQ(places.translationsFolder, exeFolder) << "portable: beside the executable";
    }
  }
}

TEST_F(ProgramPlacesTest, InstalledFoldersFollowTheXdgVariablesSetOrUnset) {
  struct Case {
    std::map<std::string, std::string> env;
    std::string config, data, state;
  };
  const std::string here = Folder();
  const std::vector<Case> cases = {
      {{{"HOME", "/home/u"}}, "/home/u/.config", "/home/u/.local/share", "/home/u/.local/state"},
      {{{"HOME", "/home/u/"}, {"XDG_CONFIG_HOME", "/cfg"}},
       "/cfg",
       "/home/u/.local/share",
       "/home/u/.local/state"},
      {{{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data/"}, {"XDG_STATE_HOME", "/st//x"}},
       "/home/u/.config",
       "/data",
       "/st/x"},
      // Relative values are not paths the XDG rules accept: the defaults stand.
      {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_STATE_HOME", "./state"}},
       "/home/u/.config",
       "/home/u/.local/share",
       "/home/u/.local/state"},
      {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", ""}},
       "/home/u/.config",
       "/home/u/.local/share",
       "/home/u/.local/state"},
      {{{"XDG_CONFIG_HOME", "/c"}, {"XDG_DATA_HOME", "/d"}, {"XDG_STATE_HOME", "/s"}},
       "/c",
       "/d",
       "/s"},
      // No home at all: a folder the user owns, never the root of the file system.
      {{}, here + "/.config", here + "/.local/share", here + "/.local/state"},
  };
  MakeFolder("usr/bin");
  MakeFolder("usr/share/padflasher");
  for (const auto& c : cases) {
    const ProgramPlaces places =
        ChooseProgramPlaces(Path("usr/bin/padflasher"), "../share/padflasher", Env(c.env));
    ASSERT_TRUE(places.installed);
    EXPECT_EQ(places.settingsFolder, c.config + "/PadFlasher");
    EXPECT_EQ(places.programFolder, c.data + "/PadFlasher");
    EXPECT_EQ(places.logFolder, c.state + "/PadFlasher");
  }
}

TEST_F(ProgramPlacesTest, TheProcessEnvironmentFindsAHomeWithoutHome) {
  const char* saved = std::getenv("HOME");
  const std::optional<std::string> home = saved ? std::optional<std::string>(saved) : std::nullopt;
  passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  struct Case {
    std::optional<std::string> home;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{{"/somewhere/else", "/somewhere/else"},
                                         {std::nullopt, entry->pw_dir},
                                         {"", entry->pw_dir}}) {
    if (c.home) {
      setenv("HOME", c.home->c_str(), 1);
    } else {
      unsetenv("HOME");
    }
    EXPECT_EQ(SystemEnvironment()("HOME"), c.expected);
  }
  setenv("XDG_STATE_HOME", "/from/env", 1);
  EXPECT_EQ(SystemEnvironment()("XDG_STATE_HOME"), "/from/env");
  unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(SystemEnvironment()("XDG_STATE_HOME"), "");
  if (home) {
    setenv("HOME", home->c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

TEST_F(ProgramPlacesTest, AnInstalledRunKeepsEveryFileInItsXdgFolder) {
  UseProgramPlaces(Installed());
  EXPECT_TRUE(ProgramInstalled());
  EXPECT_EQ(WindowCaption(), "PadFlasher  v1.0.2");
  EXPECT_EQ(HelpFolder(), Path("usr/share/padflasher/help"));
  EXPECT_EQ(CatalogueHistoryFileName(), Path("home/.local/state/PadFlasher/PadFlasher.seen"));
  OpenDebugLog();
  StartProgram();
  gComPort = "COM4";
  EndProgram();
  CloseDebugLog();

  const std::string data = Path("home/.local/share/PadFlasher");
  EXPECT_EQ(QDir::currentPath().toStdString(), data);
  EXPECT_NE(ReadBytes(Path("home/.config/PadFlasher/PadFlasher.ini")).find("COM4"),
            std::string::npos);
  EXPECT_NE(ReadBytes(Path("home/.local/state/PadFlasher/debugexe.txt")).find("DomainName = "),
            std::string::npos);
  EXPECT_EQ(FolderEntries(data), QStringList());
  EXPECT_EQ(FolderEntries(Folder()), QStringList({"home", "usr"}))
      << "nothing in the launch folder";
  EXPECT_EQ(FolderEntries(Path("usr/share/padflasher")), QStringList({"help"}));
  gComPort.clear();
}

TEST_F(ProgramPlacesTest, FoldersThatCannotBeMadeAreReportedAndLogged) {
  struct Case {
    std::string blocker;  // a file where a folder must go
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"home/.local",
       "Cannot create the folder " + Path("home/.local/share") + ": Not a directory"},
      {"home/.config",
       "Cannot create the folder " + Path("home/.config/PadFlasher") + ": Not a directory"},
      {"home/.config/PadFlasher",
       "Cannot create the folder " + Path("home/.config/PadFlasher") + ": not a folder"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(QDir(QString::fromStdString(Path("home"))).removeRecursively());
    MakeFolder(QFileInfo(QString::fromStdString(c.blocker)).path().toStdString());
    WriteBytes(Path(c.blocker), "x");
    UseProgramPlaces(Installed());
    std::string error;
    EXPECT_FALSE(MakeProgramFolders(error)) << c.blocker;
    EXPECT_EQ(error, c.expected);
  }
  OpenDebugLog();
  StartProgram();
  CloseDebugLog();
  EXPECT_NE(
      ReadBytes(Path("home/.local/state/PadFlasher/debugexe.txt")).find(cases.back().expected),
      std::string::npos);
}

TEST_F(ProgramPlacesTest, NewFoldersAreTheUsersAloneAndOldOnesKeepTheirMode) {
  MakeFolder("old");
  ASSERT_EQ(chmod(Path("old").c_str(), 0755), 0);
  std::string reason;
  ASSERT_TRUE(MakeUserFolder(Path("old/new/deeper"), reason)) << reason;
  const std::vector<std::pair<std::string, mode_t>> modes = {
      {"old", 0755}, {"old/new", 0700}, {"old/new/deeper", 0700}};
  for (const auto& [folder, mode] : modes) {
    struct stat st {};
    ASSERT_EQ(stat(Path(folder).c_str(), &st), 0) << folder;
    EXPECT_EQ(st.st_mode & 0777, mode) << folder;
  }
  EXPECT_TRUE(MakeUserFolder(Path("old/new"), reason)) << "an existing folder is fine";
}

TEST_F(ProgramPlacesTest, SettingTheFolderReturnsToThePortableMode) {
  UseProgramPlaces(Installed());
  SetProgramPaths(Path("portable"), "PadFlasher");
  EXPECT_FALSE(ProgramInstalled());
  EXPECT_EQ(SettingsFileName(), Path("portable/PadFlasher.ini"));
  EXPECT_EQ(HelpFolder(), Path("portable/PadFlasher.help"));
  EXPECT_EQ(CatalogueHistoryFileName(), Path("portable/PadFlasher.seen"));
  std::string error;
  EXPECT_TRUE(MakeProgramFolders(error));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("portable"))))
      << "a portable folder is the user's own choice, never made";
  OpenDebugLog();
  DebugLog("here");
  EXPECT_NE(ReadBytes(Path("debugexe.txt")).find("here"), std::string::npos);
}

}  // namespace
