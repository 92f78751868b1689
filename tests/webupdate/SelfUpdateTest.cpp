// Newer program files: the check, the offer, the download and the script that swaps them in.
#include <QFile>
#include <QProcess>
#include <QTest>

#include "WebFixture.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/SelfUpdate.h"

namespace {

ProgramFileEntry Program(const std::string& name, const std::string& version, bool newer = true,
                         int32_t size = 0) {
  ProgramFileEntry e;
  e.FileName = name;
  e.PendingName = "$" + name;
  e.Version = version;
  e.Newer = newer;
  e.Size = size;
  return e;
}

TEST(CheckProgramVersions, ExecutablesCompareByNumberedParts) {
  struct Case {
    ProgramVersion own;
    std::string name, version;
    bool newer;
  } cases[] = {
      {{1, 2, 3}, "A.exe", "1.2.4", true},
      {{1, 2, 3}, "A.exe", "1.3.0", true},
      {{1, 2, 3}, "A.EXE", "2.0.0", true},
      {{1, 2, 3}, "A.exe", "1.2.3", false},
      {{1, 2, 3}, "A.exe", "1.2.2", false},
      {{1, 2, 3}, "A.exe", "1.1.9", false},
      {{1, 2, 3}, "A.exe", "0.9.9", false},
      {{1, 9, 0}, "A.exe", "1.10.0", true},
      {{1, 2, 3}, "A.exe", "1.2", false},
      {{1, 2, 3}, "A.exe", "2", true},
      {{1, 2, 3}, "A.exe", "", false},
      {{1, 0, 2}, "PadFlasher", "1.0.3", true},
      {{1, 0, 2}, "PadFlasher.EXE", "1.0.2", false},
  };
  for (const auto& c : cases) {
    std::vector<ProgramFileEntry> list = {Program(c.name, c.version, !c.newer)};
    EXPECT_EQ(CheckProgramVersions(list, c.own, "/nonexistent", "PadFlasher"), c.newer)
        << c.name << " " << c.version;
    EXPECT_EQ(list[0].Newer, c.newer) << c.name << " " << c.version;
  }
}

class SelfUpdateTest : public WebFixture {
 protected:
  void TearDown() override {
    SetScriptStarter(nullptr);
    WebFixture::TearDown();
  }
};

TEST_F(SelfUpdateTest, OtherFilesCompareTheirDateWithTheInstalledCopy) {
  std::vector<ProgramFileEntry> list = {Program("Help.chm", "2007-06-01", false)};
  ProgramVersion own = OwnProgramVersion();
  EXPECT_TRUE(CheckProgramVersions(list, own, gProgramFolder, gBaseName)) << "no local copy";
  ProgramFileBytes("Help.chm", "h");
  SetDate("Help.chm", "2007-05-31");
  EXPECT_TRUE(CheckProgramVersions(list, own, gProgramFolder, gBaseName));
  SetDate("Help.chm", "2007-06-01");
  EXPECT_FALSE(CheckProgramVersions(list, own, gProgramFolder, gBaseName));
  EXPECT_FALSE(list[0].Newer);
}

TEST(ProgramUpdateOffer, ListsNewerFilesWithTheirVersions) {
  std::vector<ProgramFileEntry> list = {
      Program("A.exe", "1.3.0"), Program("Old.dll", "1.0.0", false),
      Program("Help.chm", "2007-06-01"), Program("B.DLL", "2.0.1")};
  EXPECT_EQ(MessageText(ProgramUpdateOffer(list, "PadFlasher")),
            "A newer version of this program is available.\r\n\r\n"
            "A.exe  v1.3.0\r\n"
            "Help.chm   2007-06-01\r\n"
            "B.DLL  v2.0.1\r\n"
            "\r\nDo you wish to download and install?");
}

TEST(UpdateScripts, BatchFileChecksThenRenamesInListOrder) {
  std::vector<ProgramFileEntry> list = {Program("A.exe", "1.3.0"), Program("Skip.txt", "x", false),
                                        Program("B.dll", "2007-01-01")};
  EXPECT_EQ(BuildUpdateBatch("C:\\Prog", "PadFlasher", list),
            "@ECHO OFF\r\n"
            ":RETRY\r\n"
            "IF NOT EXIST \"C:\\Prog\\$A.exe\" GOTO DONE\r\n"
            "ERASE \"C:\\Prog\\A.exe\"\r\n"
            "IF EXIST \"C:\\Prog\\A.exe\" GOTO RETRY\r\n"
            "IF NOT EXIST \"C:\\Prog\\$B.dll\" GOTO DONE\r\n"
            "ERASE \"C:\\Prog\\B.dll\"\r\n"
            "IF EXIST \"C:\\Prog\\B.dll\" GOTO RETRY\r\n"
            "RENAME \"C:\\Prog\\$A.exe\" \"A.exe\"\r\n"
            "RENAME \"C:\\Prog\\$B.dll\" \"B.dll\"\r\n"
            "CLS\r\n"
            "ECHO Upgrade Complete.\r\n"
            "ECHO If this window remains open when finished, it is safe to close.\r\n"
            "START \"C:\\Prog\\PadFlasher.exe\" \"C:\\Prog\\PadFlasher.exe\"\r\n"
            ":DONE\r\n"
            "ERASE \"C:\\Prog\\WebUpdate.bat\"");
}

TEST(UpdateScripts, ShellScriptChecksEveryCopyBeforeMovingAny) {
  std::vector<ProgramFileEntry> list = {Program("A.exe", "1.3.0"), Program("B.dll", "2007-01-01"),
                                        Program("PadFlasher.exe", "1.0.3")};
  std::string script = BuildUpdateScript("/opt/pf", "PadFlasher", list, 4242);
  auto at = [&](const std::string& piece) {
    size_t pos = script.find(piece);
    EXPECT_NE(pos, std::string::npos) << piece;
    return pos;
  };
  size_t wait = at("while kill -0 4242 ");
  size_t checkA = at("[ -f '/opt/pf/$A.exe' ] || ready=no");
  size_t checkB = at("[ -f '/opt/pf/$B.dll' ] || ready=no");
  size_t moveA = at("mv -f '/opt/pf/$A.exe' '/opt/pf/A.exe'");
  size_t moveB = at("mv -f '/opt/pf/$B.dll' '/opt/pf/B.dll'");
  size_t moveExe = at("mv -f '/opt/pf/$PadFlasher.exe' '/opt/pf/PadFlasher'");
  size_t restart = at("'/opt/pf/PadFlasher' >/dev/null 2>&1 &");
  size_t remove = at("rm -f '/opt/pf/WebUpdate.sh'");
  EXPECT_LT(wait, checkA);
  EXPECT_LT(checkA, checkB);
  EXPECT_LT(checkB, moveA);
  EXPECT_LT(moveA, moveB);
  EXPECT_LT(moveB, moveExe);
  EXPECT_LT(moveExe, restart);
  EXPECT_LT(restart, remove);
  // Quotes in the folder cannot break out of the quoting.
  EXPECT_NE(BuildUpdateScript("/it's", "P", list, 1).find("'/it'\\''s/$A.exe'"), std::string::npos);
}

// The program folder holds a dummy program "Dummy" that records each start; the site offers a
// new Dummy and a new Lib.dat.
class UpdateScriptRunTest : public SelfUpdateTest {
 protected:
  void SetUp() override {
    SelfUpdateTest::SetUp();
    SetProgramPaths(gProgramFolder, "Dummy");
    marker_ = InProgram("started");
    ProgramFileBytes("Dummy",
                     "#!/bin/sh\necho old >> '" + QByteArray::fromStdString(marker_) + "'\n");
    QFile::setPermissions(QString::fromStdString(InProgram("Dummy")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgramFileBytes("Lib.dat", "old lib");
    newDummy_ = "#!/bin/sh\necho new >> '" + QByteArray::fromStdString(marker_) + "'\n";
    SiteFile("Dummy.exe", newDummy_);
    SiteFile("Lib.dat", "new lib");
    programs_ = {Program("Dummy.exe", "9.0.0", true, static_cast<int32_t>(newDummy_.size())),
                 Program("Lib.dat", "2030-01-01", true, 7)};
    SetScriptStarter([this](const std::string& path) {
      scriptPath_ = path;
      return true;
    });
  }
  // Runs the script for real, waiting on process pid.
  void RunScript(long long pid, QProcess& script) {
    QFile file(QString::fromStdString(scriptPath_));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(
        QByteArray::fromStdString(BuildUpdateScript(gProgramFolder, "Dummy", programs_, pid)));
    file.close();
    script.start("/bin/sh", {QString::fromStdString(scriptPath_)});
    ASSERT_TRUE(script.waitForStarted());
  }
  std::string marker_, scriptPath_;
  QByteArray newDummy_;
  std::vector<ProgramFileEntry> programs_;
};

TEST_F(UpdateScriptRunTest, ReplacesFilesAfterTheProgramEndsAndStartsItAgain) {
  std::vector<std::string> labels;
  ASSERT_TRUE(InstallProgramUpdate(programs_, host_, nullptr,
                                   [&](const std::string& text) { labels.push_back(text); }));
  EXPECT_EQ(labels, std::vector<std::string>{"Installing Program ..."});
  EXPECT_EQ(scriptPath_, InProgram("WebUpdate.sh"));
  EXPECT_TRUE(
      host_.Showed("Program downloaded successfully ...\r\n\r\nPress Ok to Run the New Version."));
  EXPECT_EQ(ProgramRead("$Dummy.exe"), newDummy_);
  EXPECT_EQ(WrittenAt("$Lib.dat"), "2030-01-01 00:00");

  QProcess program;  // stands for the running program
  program.start("sleep", {"60"});
  ASSERT_TRUE(program.waitForStarted());
  QProcess script;
  RunScript(program.processId(), script);
  EXPECT_FALSE(script.waitForFinished(300)) << "the script must wait for the program to end";
  EXPECT_EQ(ProgramRead("Lib.dat"), "old lib");
  program.kill();
  program.waitForFinished();
  ASSERT_TRUE(script.waitForFinished(10000));

  EXPECT_EQ(ProgramRead("Dummy"), newDummy_);
  EXPECT_EQ(ProgramRead("Lib.dat"), "new lib");
  EXPECT_EQ(WrittenAt("Lib.dat"), "2030-01-01 00:00");
  EXPECT_TRUE(QFile::permissions(QString::fromStdString(InProgram("Dummy"))) & QFile::ExeOwner);
  EXPECT_FALSE(ProgramHas("$Dummy.exe"));
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramRead("started") == "new\n"; }, 10000));
}

TEST_F(UpdateScriptRunTest, AMissingPendingCopyLeavesEveryOldFileInPlace) {
  ASSERT_TRUE(InstallProgramUpdate(programs_, host_, nullptr, nullptr));
  QFile::remove(QString::fromStdString(InProgram("$Lib.dat")));
  QProcess ended;
  ended.start("true");
  ASSERT_TRUE(ended.waitForStarted());
  long long pid = ended.processId();
  ended.waitForFinished();
  QProcess script;
  RunScript(pid, script);
  ASSERT_TRUE(script.waitForFinished(10000));
  EXPECT_TRUE(ProgramRead("Dummy").contains("echo old"));
  EXPECT_EQ(ProgramRead("Lib.dat"), "old lib");
  EXPECT_EQ(ProgramRead("$Dummy.exe"), newDummy_);
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
  EXPECT_FALSE(ProgramHas("started"));
}

TEST_F(UpdateScriptRunTest, AFileThatCannotBeFetchedFailsTheWholeInstall) {
  site_->SetFault(SiteFault::NotFound, "/updates/Lib.dat");
  EXPECT_FALSE(InstallProgramUpdate(programs_, host_, nullptr, nullptr));
  EXPECT_TRUE(scriptPath_.empty());
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
  EXPECT_FALSE(ProgramHas("$Lib.dat")) << "the error page is no pending copy";
  EXPECT_EQ(ProgramRead("Lib.dat"), "old lib");

  site_->SetFault(SiteFault::None);
  DomainName.clear();
  EXPECT_FALSE(InstallProgramUpdate(programs_, host_, nullptr, nullptr)) << "unopenable site";
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));

  UseSite();
  programs_[1].Sha256 = std::string(64, 'f');
  EXPECT_FALSE(InstallProgramUpdate(programs_, host_, nullptr, nullptr)) << "hash differs";
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
  EXPECT_FALSE(ProgramHas("$Lib.dat")) << "a copy with the wrong hash is not kept";
}

TEST_F(UpdateScriptRunTest, AnExecutableLineInAnyLetterCaseReplacesTheProgramWhichThenRuns) {
  for (const char* name : {"Dummy", "DUMMY", "Dummy.exe", "DUMMY.EXE", "dummy.Exe"}) {
    EXPECT_TRUE(IsExecutableLine(name, "Dummy")) << name;
  }
  for (const char* name : {"Dummy2.exe", "Dumm.exe", "Dummy.dll", "DummyXexe"}) {
    EXPECT_FALSE(IsExecutableLine(name, "Dummy")) << name;
  }
  programs_[0] = Program("DUMMY.EXE", "9.0.0", true, static_cast<int32_t>(newDummy_.size()));
  SiteFile("DUMMY.EXE", newDummy_);
  ASSERT_TRUE(InstallProgramUpdate(programs_, host_, nullptr, nullptr));
  EXPECT_TRUE(QFile::permissions(QString::fromStdString(InProgram("$DUMMY.EXE"))) & QFile::ExeOwner)
      << "the pending program can run before the script has touched it";
  QProcess ended;
  ended.start("true");
  ASSERT_TRUE(ended.waitForStarted());
  const long long pid = ended.processId();
  ended.waitForFinished();
  QProcess script;
  RunScript(pid, script);
  ASSERT_TRUE(script.waitForFinished(10000));
  EXPECT_EQ(ProgramRead("Dummy"), newDummy_);
  EXPECT_FALSE(ProgramHas("DUMMY.EXE")) << "no second copy beside the program";
  EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramRead("started") == "new\n"; }, 10000));
}

}  // namespace
