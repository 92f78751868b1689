// The window program as a desktop expects it: terminal options without a display, a safe answer
// to a hasty Enter, and an orderly end when the session or a service manager ends it.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <functional>

#include "RealWindow.h"

namespace {

const QString kBin = PADFLASHER_BIN_DIR;
const QString kMain = "^PadFlasher  v1.0.2$";
const QString kBox = "^PadFlasher$";

TEST(WindowProgramOnATerminal, HelpAndVersionAnswerWithoutADisplay) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  env.insert("LANGUAGE", "en");
  const struct {
    const char* option;
    const char* begins;
  } cases[] = {{"--help", "Usage: PadFlasher [--help] [--version]"},
               {"-h", "Usage: PadFlasher"},
               {"--version", "PadFlasher 1.0.2\n"},
               {"-V", "PadFlasher 1.0.2\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(kBin + "/PadFlasher", {c.option});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().startsWith(c.begins));
  }
}

class DesktopCitizenTest : public RealWindowTest {
 protected:
  int Count(const QString& prefix) {
    while (sim.waitForReadyRead(0)) {
    }
    simLog += QString::fromLatin1(sim.readAll());
    int n = 0;
    for (const QString& line : simLog.split('\n')) n += line.startsWith("hcsim: " + prefix);
    return n;
  }
  // The window on the firmware page with a.bin listed, against hcsim on COM1.
  // run: the blocks written in one go (each ended by a point where a cancel is answered).
  bool StartOnTheFirmwarePage(const std::string& versions, int run = 2) {
    WriteImage("a.bin", 0xA105, testimage::kImageSize, run, 30);
    WriteFile("PadFlasher.ver", versions);
    WriteFile("PadFlasher.ini", "[PADFLASHER]\r\n   COMPORT = COM1\r\n");
    if (!QDir(FolderPath()).mkpath("ports")) return false;
    sim.setProcessChannelMode(QProcess::MergedChannels);
    sim.start(kBin + "/hcsim", {"--link", FilePath("ports/COM1"), "--flash",
                                FilePath("hc-flash.bin"), "--baud", "0", "--verbose"});
    if (!sim.waitForReadyRead(10000)) return false;
    StartProgram();
    main = Window(kMain);
    if (main.isEmpty()) return false;
    Key(main, "Return");  // to the port page, COM1 preselected from the settings
    Key(main, "Return");  // opens COM1: the firmware page lists a.bin
    return true;
  }
  QString Saved(const QString& name) {
    QFile file(FilePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
  }

  QString simLog, main;
};

}  // namespace

// A wrong image can brick the hand control: neither Enter nor Escape loads one the program
// does not know.
TEST_F(DesktopCitizenTest, EnterAndEscapeOnTheUnsupportedFirmwareQuestionAnswerNo) {
  if (MissingTools()) GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";
  ASSERT_TRUE(StartOnTheFirmwarePage("[VERSIONS]\r\n   Version = A,Standard,B300,3,00\r\n"));
  for (const char* key : {"Return", "Escape"}) {
    SCOPED_TRACE(key);
    const int pings = Count("@@100");
    AltKey(main, "Right");
    const QString question = Window(kBox);
    ASSERT_FALSE(question.isEmpty());
    EXPECT_EQ(Count("@@100"), pings + 1);
    Key(question, key);
    EXPECT_FALSE(Showing(kBox));
  }
  // Still on the firmware page: Next asks again (on the programming page it would do nothing).
  const int pings = Count("@@100");
  AltKey(main, "Right");
  EXPECT_EQ(Count("@@100"), pings + 1);
  EXPECT_TRUE(Showing(kBox));
}

// Logout or a service manager ends the program as Exit and Yes would, within 2 seconds: a run
// is cancelled, a box up is closed, the settings saved and Qt's lock on the device removed.
TEST_F(DesktopCitizenTest, TermAndHangUpEndTheProgramAsExitWould) {
  if (MissingTools()) GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";
  const struct {
    const char* what;
    int signal;
    int run;          // blocks per write of a programming run; 0: the exit question is up
    const char* log;  // what the debug log says of the run's end
  } cases[] = {{"SIGTERM during a run", SIGTERM, 2, "Programming cancelled by user"},
               // 200 blocks take 27 s at 19200 baud: the port is closed under the write.
               {"SIGTERM during a long write", SIGTERM, 200, "the port is closed under it"},
               {"SIGHUP with a box up", SIGHUP, 0, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(StartOnTheFirmwarePage("[VERSIONS]\r\n   Version = A,Standard,A105,1,05\r\n",
                                       std::max(c.run, 2)));
    const QString device = QFile::symLinkTarget(FilePath("ports/COM1"));
    if (c.run > 0) {
      AltKey(main, "Right", 2500);
      ClickAt(main, 131 + 8 + 72, 3 + 136 + 12, 0);  // "Begin Programming"
      ASSERT_TRUE(WaitFor([&] { return Count("@@2") > 0; }, 30000)) << "no run";
      QThread::msleep(300);
    } else {
      Key(main, "Escape");
      ASSERT_TRUE(Showing(kBox)) << "the exit question";
    }
    // Read at the start; only a save on the way out writes it again.
    ASSERT_TRUE(QFile::remove(FilePath("PadFlasher.ini")));
    QElapsedTimer ending;
    ending.start();
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), c.signal), 0);
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_LT(ending.elapsed(), 2000);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(Saved("PadFlasher.ini").contains("COM1")) << "the settings were saved";
    const QString log = Saved("debugexe.txt");
    EXPECT_EQ(log.contains("cancelled by user") || log.contains("closed under it"),
              c.log != nullptr)
        << log.toStdString();
    if (c.log) {
      EXPECT_TRUE(log.contains(c.log)) << log.toStdString();
    }
    const QString lock = "LCK.." + device.mid(5).replace('/', '_');
    for (const QString folder : {"/var/lock", "/run/lock", "/tmp"}) {
      EXPECT_FALSE(QFile::exists(folder + "/" + lock)) << (folder + "/" + lock).toStdString();
    }
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));
    simLog.clear();
    QFile::remove(FilePath("PadFlasher"));
    QFile::remove(FilePath("debugexe.txt"));
  }
}
