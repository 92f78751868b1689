// The real window program under Xvfb against hcsim, driven by keys and clicks through xdotool:
// from the welcome page to a finished programming run and a full verification, out through
// the exit question.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "RealWindow.h"
#include "programmer/Image.h"

namespace {

const QString kBin = PADFLASHER_BIN_DIR;
class EndToEndTest : public RealWindowTest {
 protected:
  // The simulated hand control behind COM1, then the program: its window's id.
  QString StartWithHandControl() {
    EXPECT_TRUE(QDir(FolderPath()).mkpath("ports"));
    sim.start(kBin + "/hcsim", {"--link", FilePath("ports/COM1"), "--flash",
                                FilePath("hc-flash.bin"), "--baud", "0"});
    if (!sim.waitForReadyRead(10000)) {
      ADD_FAILURE() << "hcsim did not publish its port";
      return {};
    }
    StartProgram();
    return Window("^PadFlasher  v1.0.2$");
  }
};

}  // namespace

TEST_F(EndToEndTest, ProgramsAndVerifiesThroughTheWindowThenLeaves) {
  if (MissingTools()) GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";
  WriteThinImage("HC-3.01.bin", 0xE301);
  WriteFile("PadFlasher.ver", "[VERSIONS]\r\n   Version = A,Standard,E301,3,01\r\n");
  WriteFile("PadFlasher.ini",
            "[PADFLASHER]\r\n   COMPORT = com1\r\n   DEBUGFILTER10 = True\r\n"
            "   QUERYVERIFY = True\r\n");
  const QString main = StartWithHandControl();
  ASSERT_FALSE(main.isEmpty());

  Key(main, "Return");    // to the port page, COM1 preselected from the settings
  Key(main, "Return");    // opens COM1, the simulated hand control answers
  AltKey(main, "Right");  // the listed firmware goes on without a question
  // "Begin Programming" and "Verify Firmware": the page area starts at (131, 3) in the window.
  ClickAt(main, 131 + 8 + 72, 3 + 136 + 12);
  Key(Window("^PadFlasher$"), "space");  // "Programming Complete"
  ClickAt(main, 131 + 160 + 68, 3 + 136 + 12);
  AltKey(Window("^Verify Mode:$"), "n");  // No: the full verification
  Key(Window("^PadFlasher$"), "space");   // "Contents are Identical"
  Key(main, "Escape");
  Key(Window("^PadFlasher$"), "space");  // Yes, leave
  ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  // hcsim writes its flash back when it ends: the hand control holds the image.
  sim.terminate();
  ASSERT_TRUE(sim.waitForFinished(10000));
  QFile image(FilePath("HC-3.01.bin")), flash(FilePath("hc-flash.bin"));
  ASSERT_TRUE(image.open(QIODevice::ReadOnly) && flash.open(QIODevice::ReadOnly));
  EXPECT_TRUE(image.readAll() == flash.readAll());

  QFile settings(FilePath("PadFlasher.ini"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QString saved = QString::fromLatin1(settings.readAll());
  EXPECT_TRUE(saved.contains("COM1")) << "the port is written back in upper case:\n"
                                      << saved.toStdString();
  EXPECT_TRUE(saved.contains("QUERYVERIFY")) << saved.toStdString();
  QFile log(FilePath("debugexe.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << "no debug log in the working directory";
  EXPECT_TRUE(log.readAll().contains("DomainName = ")) << "the settings were logged";
}

TEST_F(EndToEndTest, CtrlOOpensTheFileDialogAndTheChosenFileIsTakenIn) {
  if (MissingTools()) GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";
  WriteThinImage("a.bin", 0xA105);
  ASSERT_TRUE(QDir(FolderPath()).mkpath("elsewhere"));
  WriteThinImage("elsewhere/new.bin", 0xB301);
  WriteFile("PadFlasher.ver", "[VERSIONS]\r\n   Version = A,Standard,A105,1,05\r\n");
  WriteFile("PadFlasher.ini", "[PADFLASHER]\r\n   COMPORT = COM1\r\n");
  const QString main = StartWithHandControl();
  ASSERT_FALSE(main.isEmpty());
  Key(main, "Return");  // to the port page
  Key(main, "Return");  // to the firmware page, a.bin selected

  Xdo({"windowfocus", "--sync", main, "keydown", "Control_L", "key", "o", "keyup", "Control_L"});
  const QString dialog = Window("^Open Firmware File$");
  ASSERT_FALSE(dialog.isEmpty());
  Xdo({"windowfocus", "--sync", dialog, "type", "--delay", "10", FilePath("elsewhere/new.bin")});
  Key(dialog, "Return");
  EXPECT_FALSE(Showing("^Open Firmware File$"));
  QFile copied(FilePath("new.bin")), original(FilePath("elsewhere/new.bin"));
  ASSERT_TRUE(copied.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
  EXPECT_TRUE(copied.readAll() == original.readAll());

  // new.bin is selected: its code is not listed, so Next asks first (a.bin would go on).
  AltKey(main, "Right");
  const QString question = Window("^PadFlasher$");
  ASSERT_FALSE(question.isEmpty()) << "the unlisted firmware's question";
  Key(question, "Escape");  // No: stay on the page
  Key(main, "Escape");
  Key(Window("^PadFlasher$"), "space");  // Yes, leave
  ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
}
