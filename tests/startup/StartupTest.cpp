#include <QDir>
#include <QFileInfo>
#include <stdexcept>
#include <vector>

#include "ProgramState.h"
#include "TempFolder.h"
#include "base/DebugLog.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

namespace {
class StartupTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    QDir here(QString::fromStdString(Folder()));
    ASSERT_TRUE(here.mkdir("launch") && here.mkdir("program"));
    launch_ = Path("launch");
    program_ = Path("program");
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(launch_)));
  }
  void TearDown() override {
    SetHelpViewer({});
    TempFolderTest::TearDown();
  }
  std::string launch_, program_;

 private:
  SavedProgramState saved_;
};

TEST_F(StartupTest, StartingFromAnotherFolderLogsThereAndReadsTheProgramFolder) {
  WriteBytes(program_ + "/PadFlasher.ini", "[PADFLASHER]\r\nCOMPORT=com5\r\n");
  WriteBytes(program_ + "/PadFlasher.ver", "[VERSIONS]\r\nVersion=A,Kit,1A2B,1,5\r\n");
  SetProgramPaths(program_, "PadFlasher");
  OpenDebugLog();
  StartProgram();

  EXPECT_EQ(QDir::currentPath(), QDir(QString::fromStdString(program_)).canonicalPath());
  EXPECT_EQ(gComPort, "COM5");
  ASSERT_EQ(gVersionCount(), 1);
  EXPECT_EQ(gVersions[0].Checksum, "1A2B");
  EXPECT_NE(ReadBytes(launch_ + "/debugexe.txt").find("DomainName = downloads.example.com"),
            std::string::npos);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(program_ + "/debugexe.txt")));
}

TEST_F(StartupTest, TheFirstShutDownCreatesTheSettingsFile) {
  SetProgramPaths(program_, "PadFlasher");
  OpenDebugLog();
  StartProgram();
  EXPECT_EQ(gComPort, "");
  EXPECT_EQ(gVersionCount(), 0);
  EndProgram();
  EXPECT_EQ(ReadBytes(program_ + "/PadFlasher.ini"),
            "[PADFLASHER]\r\n   COMport      =\r\n   DebugFilter10= True\r\n");
  EXPECT_EQ(FolderEntries(program_), QStringList({"PadFlasher.ini"}));
}

TEST_F(StartupTest, AnotherExecutableNameUsesItsOwnFiles) {
  WriteBytes(program_ + "/PadFlasher.ini", "[PADFLASHER]\r\nCOMPORT=COM1\r\n");
  WriteBytes(program_ + "/Foo.ini", "[PADFLASHER]\r\nCOMPORT=COM2\r\n");
  WriteBytes(program_ + "/Foo.ver", "[VERSIONS]\r\nVersion=A,Foo kit,FFFF,2,0\r\n");
  SetProgramPaths(program_ + "/", "Foo");
  EXPECT_EQ(SettingsFileName(), program_ + "/Foo.ini");
  EXPECT_EQ(VersionsFileName(), program_ + "/Foo.ver");
  EXPECT_EQ(WindowCaption(), "Foo  v1.0.2");
  StartProgram();
  EXPECT_EQ(gComPort, "COM2");
  ASSERT_NE(FindVersion("ffff"), nullptr);
  gComPort = "COM8";
  EndProgram();
  EXPECT_NE(ReadBytes(program_ + "/Foo.ini").find("COM8"), std::string::npos);
  EXPECT_EQ(ReadBytes(program_ + "/PadFlasher.ini"), "[PADFLASHER]\r\nCOMPORT=COM1\r\n");
}

TEST_F(StartupTest, TheProgramPathsComeFromTheRunningExecutable) {
  InitProgramPaths();
  EXPECT_EQ(gBaseName, "test_startup");
  EXPECT_EQ(QFileInfo(QString::fromStdString(gProgramFolder)).canonicalFilePath(),
            QFileInfo(PADFLASHER_BIN_DIR).canonicalFilePath());
  EXPECT_EQ(WindowCaption(), "test_startup  v1.0.2");
  EXPECT_EQ(ProgramVersionText(), "1.0.2");
}

TEST_F(StartupTest, FileExistsOnlyForFilesThatCanBeOpened) {
  WriteBytes(launch_ + "/here.bin", "x");
  const std::vector<std::pair<std::string, bool>> cases = {
      {launch_ + "/here.bin", true},
      {"here.bin", true},
      {launch_ + "/gone.bin", false},
      {launch_, false},
      {"", false},
      {"./here.bin", true},
  };
  for (const auto& [name, exists] : cases) EXPECT_EQ(FileExists(name), exists) << name;
}

TEST_F(StartupTest, HelpGoesToTheInstalledViewerAndNeverFails) {
  SetProgramPaths(program_, "PadFlasher");
  ShowHelp("Step1.htm");  // no viewer installed: nothing happens
  std::vector<std::string> shown;
  SetHelpViewer([&](const std::string& folder, const std::string& topic) {
    shown.push_back(folder + "|" + topic);
  });
  ShowHelp("Step3.htm");
  EXPECT_EQ(shown, std::vector<std::string>({program_ + "/PadFlasher.help|Step3.htm"}));
  SetHelpViewer(
      [](const std::string&, const std::string&) { throw std::runtime_error("no such page"); });
  EXPECT_NO_THROW(ShowHelp("WebUpdates.htm"));
}
}  // namespace
