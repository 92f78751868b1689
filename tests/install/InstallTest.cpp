// The installed programs run as a user runs them: the files where the desktop and the shell
// look, the CLI and the window in their XDG places, a prefix nothing changes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <vector>

#include "InstallFixture.h"
#include "XSession.h"

namespace {

TEST_F(InstallTest, EveryFileLiesWhereTheDesktopAndTheShellLookForIt) {
  struct Case {
    QString path;  // below the prefix
    bool executable;
  };
  const std::vector<Case> cases = {
      {"bin/padflasher", true},
      {"bin/padflasher-cli", true},
      {"bin/padflasher-hcsim", true},
      {"share/padflasher/help/Step1.htm", false},
      {"share/padflasher/help/Step4.htm", false},
      {"share/padflasher/help/WebUpdates.htm", false},
      {"share/padflasher/help/style.css", false},
      {"share/applications/" + kAppId + ".desktop", false},
      {"share/metainfo/" + kAppId + ".metainfo.xml", false},
      {"share/icons/hicolor/scalable/apps/" + kAppId + ".svg", false},
      {"share/icons/hicolor/256x256/apps/" + kAppId + ".png", false},
      {"share/man/man1/padflasher.1.gz", false},
      {"share/man/man1/padflasher-cli.1.gz", false},
      {"share/man/man1/padflasher-hcsim.1.gz", false},
      {"share/bash-completion/completions/padflasher-cli", false},
      {"share/zsh/vendor-completions/_padflasher-cli", false},
      {"share/fish/vendor_completions.d/padflasher-cli.fish", false},
      {"share/doc/padflasher/copyright", false},
      {"share/doc/padflasher/changelog.Debian.gz", false},
      {"share/doc/padflasher/README.md.gz", false},
      {"share/doc/padflasher/docs/install.md.gz", false},
      {"share/doc/padflasher/docs/images/firmware-page.png", false},
  };
  for (const auto& c : cases) {
    const QFileInfo info(Prefix() + "/" + c.path);
    EXPECT_TRUE(info.isFile()) << c.path.toStdString();
    EXPECT_EQ(info.isExecutable(), c.executable) << c.path.toStdString();
  }
  EXPECT_EQ(QImage(Prefix() + "/share/icons/hicolor/256x256/apps/" + kAppId + ".png").size(),
            QSize(256, 256));
  const QString desktop = Read(Prefix() + "/share/applications/" + kAppId + ".desktop");
  EXPECT_TRUE(desktop.contains("\nExec=padflasher\n")) << desktop.toStdString();
  EXPECT_TRUE(desktop.contains("\nIcon=" + kAppId + "\n")) << desktop.toStdString();
  EXPECT_TRUE(Read(Prefix() + "/share/metainfo/" + kAppId + ".metainfo.xml")
                  .contains("<launchable type=\"desktop-id\">" + kAppId + ".desktop<"));
}

TEST_F(InstallTest, TheCliFindsTheSimulatorThroughTheDataFolderAndLogsInTheStateFolder) {
  // The simulator makes the ports folder itself, as a user following the manual page would.
  ASSERT_TRUE(StartSimulator(Home(".local/share/PadFlasher/ports/COM3")));
  const QString portable = work_.filePath("portable");
  ASSERT_TRUE(QDir().mkpath(portable + "/ports"));
  ASSERT_TRUE(QFile::link(pty_, portable + "/ports/COM3"));
  const QString state = Home(".local/state/PadFlasher/debugexe.txt");
  const QString launch = work_.filePath("debugexe.txt");
  struct Case {
    QStringList args;
    QString log, noLog;  // where debugexe.txt must land, and where not
  };
  const std::vector<Case> cases = {
      {{"identify", "--port", "COM3", "--debug-log"}, state, launch},
      {{"identify", "--port", "COM3", "--debug-log", "--folder", portable}, launch, state},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    QString out;
    EXPECT_EQ(Run("padflasher-cli", c.args, &out), 0);
    EXPECT_TRUE(out.startsWith("Code: FFFF\n")) << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(c.log)) << c.log.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.noLog)) << c.noLog.toStdString();
    QFile::remove(c.log);
  }
  EXPECT_FALSE(QFileInfo::exists(Home(".config/PadFlasher/PadFlasher.ini")))
      << "the CLI never rewrites the settings";

  // The installed program has its download-site commands too.
  QString out;
  EXPECT_EQ(Run("padflasher-cli", {"catalogue", "--help"}, &out), 0);
  EXPECT_TRUE(out.startsWith("Usage: padflasher-cli catalogue")) << out.toStdString();
}

TEST_F(InstallTest, TheWindowStartsLeavesThroughTheExitQuestionAndWritesItsXdgFiles) {
  if (const QString tool = XSession::MissingTool(); !tool.isEmpty()) {
    GTEST_SKIP() << tool.toStdString() << " is not installed (scripts/bootstrap installs it)";
  }
  XSession x;
  ASSERT_TRUE(x.Start()) << "Xvfb did not come up";
  x.Env().insert("HOME", home_.path());
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
    x.Env().remove(name);
  }
  QProcess program;
  program.setProcessEnvironment(x.Env());
  program.setWorkingDirectory(work_.path());
  program.start(Bin("padflasher"), {});
  ASSERT_TRUE(program.waitForStarted());
  const QString main = x.Window("^PadFlasher  v1.0.2$");
  ASSERT_FALSE(main.isEmpty());
  x.Key(main, "Escape");
  x.Key(x.Window("^PadFlasher$"), "space");  // Yes, leave
  const bool ended = program.waitForFinished(30000);
  Stop(program);
  ASSERT_TRUE(ended) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);

  EXPECT_TRUE(Read(Home(".config/PadFlasher/PadFlasher.ini")).startsWith("[PADFLASHER]"));
  EXPECT_TRUE(QFileInfo(Home(".local/share/PadFlasher")).isDir());
  EXPECT_TRUE(Read(Home(".local/state/PadFlasher/debugexe.txt")).contains("DomainName = "));
  EXPECT_EQ(QDir(work_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList())
      << "nothing in the folder the program was started from";
}

}  // namespace
