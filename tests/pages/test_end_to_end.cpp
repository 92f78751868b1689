// The real window program under Xvfb against hcsim, driven by keys and clicks through xdotool:
// from the welcome page to a finished programming run and a full verification, out through
// the exit question.
#include <QFile>
#include <QProcess>

#include "PagesFixture.h"
#include "XSession.h"
#include "programmer/Image.h"

namespace {

const QString kBin = PADFLASHER_BIN_DIR;

// Keeps data in two blocks of every 32 (and the block with the signature): the port holds
// writes to the line's 19200 baud, so a full image would take minutes to program.
void ThinOut(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), kImageSize);
  for (int i = 0; i < kImageSize; ++i) {
    const int block = (i % kBankSize) / kBlockSize;
    if (block % 32 >= 2 && i / kBlockSize != 0xFFE0 / kBlockSize) bytes[i] = char(0xFF);
  }
  ASSERT_TRUE(file.seek(0));
  ASSERT_EQ(file.write(bytes), kImageSize);
}

class EndToEndTest : public PagesTest {
 protected:
  void TearDown() override {
    for (QProcess* process : {&program, &sim}) {
      if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(5000)) process->kill();
        process->waitForFinished(5000);
      }
    }
    PagesTest::TearDown();
  }

  XSession x;
  QProcess sim, program;
};

}  // namespace

TEST_F(EndToEndTest, ProgramsAndVerifiesThroughTheWindowThenLeaves) {
  if (const QString tool = XSession::MissingTool(); !tool.isEmpty()) {
    GTEST_SKIP() << tool.toStdString() << " is not installed (scripts/bootstrap installs it)";
  }
  if (!QFile::exists(kBin + "/PadFlasher") || !QFile::exists(kBin + "/hcsim")) {
    GTEST_SKIP() << "build the PadFlasher and hcsim targets first";
  }
  ASSERT_TRUE(x.Start()) << "Xvfb did not come up";

  ASSERT_TRUE(QFile::copy(kBin + "/PadFlasher", dir.filePath("PadFlasher")));
  QFile::setPermissions(dir.filePath("PadFlasher"), QFile::ReadOwner | QFile::ExeOwner);
  WriteImage("HC-3.01.bin", 0xE301);
  ThinOut(dir.filePath("HC-3.01.bin"));
  WriteFile("PadFlasher.ver", "[VERSIONS]\r\n   Version = A,Standard,E301,3,01\r\n");
  WriteFile("PadFlasher.ini",
            "[PADFLASHER]\r\n   COMPORT = com1\r\n   DEBUGFILTER10 = True\r\n"
            "   QUERYVERIFY = True\r\n");
  ASSERT_TRUE(QDir(dir.path()).mkpath("ports"));
  sim.start(kBin + "/hcsim", {"--link", dir.filePath("ports/COM1"), "--flash",
                              dir.filePath("hc-flash.bin"), "--baud", "0"});
  ASSERT_TRUE(sim.waitForReadyRead(10000)) << "hcsim did not publish its port";

  // Under the address sanitizer: the session bus library keeps a buffer to the end, not ours.
  WriteFile("lsan.supp", "leak:libdbus-1.so\n");
  x.Env().insert("LSAN_OPTIONS", "suppressions=" + dir.filePath("lsan.supp"));
  program.setProcessEnvironment(x.Env());
  program.setWorkingDirectory(dir.path());
  program.start(dir.filePath("PadFlasher"), {});
  ASSERT_TRUE(program.waitForStarted());
  const QString main = x.Window("^PadFlasher  v1.0.2$");
  ASSERT_FALSE(main.isEmpty());

  x.Key(main, "Return");    // to the port page, COM1 preselected from the settings
  x.Key(main, "Return");    // opens COM1, the simulated hand control answers
  x.AltKey(main, "Right");  // the listed firmware goes on without a question
  // "Begin Programming" and "Verify Firmware": the page area starts at (131, 3) in the window.
  x.ClickAt(main, 131 + 8 + 72, 3 + 136 + 12);
  x.Key(x.Window("^PadFlasher$"), "space");  // "Programming Complete"
  x.ClickAt(main, 131 + 160 + 68, 3 + 136 + 12);
  x.AltKey(x.Window("^Verify Mode:$"), "n");  // No: the full verification
  x.Key(x.Window("^PadFlasher$"), "space");   // "Contents are Identical"
  x.Key(main, "Escape");
  x.Key(x.Window("^PadFlasher$"), "space");  // Yes, leave
  ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  // hcsim writes its flash back when it ends: the hand control holds the image.
  sim.terminate();
  ASSERT_TRUE(sim.waitForFinished(10000));
  QFile image(dir.filePath("HC-3.01.bin")), flash(dir.filePath("hc-flash.bin"));
  ASSERT_TRUE(image.open(QIODevice::ReadOnly) && flash.open(QIODevice::ReadOnly));
  EXPECT_TRUE(image.readAll() == flash.readAll());

  QFile settings(dir.filePath("PadFlasher.ini"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QString saved = QString::fromLatin1(settings.readAll());
  EXPECT_TRUE(saved.contains("COM1")) << "the port is written back in upper case:\n"
                                      << saved.toStdString();
  EXPECT_TRUE(saved.contains("QUERYVERIFY")) << saved.toStdString();
  QFile log(dir.filePath("debugexe.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << "no debug log in the working directory";
  EXPECT_TRUE(log.readAll().contains("DomainName = ")) << "the settings were logged";
}
