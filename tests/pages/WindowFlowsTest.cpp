// The real window program under Xvfb against hcsim and the test site: keys and clicks that
// arrive while the program waits must not do what the screen does not offer.
#include <QDir>
#include <QFile>
#include <QThread>
#include <functional>

#include "RealWindow.h"
#include "programmer/Image.h"

namespace {

const QString kBin = PADFLASHER_BIN_DIR;
const QString kMain = "^PadFlasher  v1.0.2$";
const QString kBox = "^PadFlasher$";  // every message box of the program
const QString kWebUpdates = "Web Updates";

class WindowFlowsTest : public RealWindowTest {
 protected:
  // Commands the simulated hand control has received so far.
  QStringList Commands() {
    while (sim.waitForReadyRead(0)) {
    }
    simLog += QString::fromLatin1(sim.readAll());
    QStringList commands;
    for (const QString& line : simLog.split('\n')) {
      if (line.startsWith("hcsim: @@")) commands << line.mid(7);
    }
    return commands;
  }
  int Count(const QString& prefix) {
    int n = 0;
    for (const QString& c : Commands()) n += c.startsWith(prefix);
    return n;
  }

  QString simLog;
};

}  // namespace

TEST_F(WindowFlowsTest, KeysAndClicksDuringEveryWaitDoOnlyWhatTheScreenOffers) {
  if (MissingTools() || !QFile::exists(kBin + "/testsite")) {
    GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  }
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";

  WriteThinImage("a.bin", 0xA105);
  ASSERT_TRUE(QDir(FolderPath()).mkpath("site") && QDir(FolderPath()).mkpath("ports"));
  WriteThinImage("site/NEW300.bin", 0xB300);
  // A long description makes the catalogue slow to arrive at the site's pace.
  std::string catalogue =
      "@NEW300.bin,2026-01-01,262144,A,Standard,B300,3,00\r\n"
      "@a.bin,2020-01-01,262144,A,Standard,A105,1,05\r\nThe firmware in the folder\r\n";
  for (int i = 0; i < 1000; ++i) catalogue += std::string(78, '.') + "\r\n";
  WriteFile("site/catalogue.txt", catalogue);
  WriteFile("PadFlasher.ver", "[VERSIONS]\r\n   Version = A,Standard,A105,1,05\r\n");

  site.start(kBin + "/testsite",
             {"--folder", FilePath("site"), "--fault", "slow", "--slow-pace", "4096:150"});
  ASSERT_TRUE(site.waitForReadyRead(10000)) << "the test site did not publish its port";
  const QString port = QString::fromLatin1(site.readLine()).trimmed();
  WriteFile("PadFlasher.ini", ("[PADFLASHER]\r\n   COMPORT = COM1\r\n   URL = 127.0.0.1:" +
                               port.toStdString() + "/catalogue.txt\r\n"));
  sim.setProcessChannelMode(QProcess::MergedChannels);  // --verbose lists commands on stderr
  // Checksum replies 20 ms late: the check phase of a run lasts seconds, long enough to cancel.
  sim.start(kBin + "/hcsim", {"--link", FilePath("ports/COM1"), "--flash", FilePath("hc-flash.bin"),
                              "--baud", "0", "--fault", "delay=20:8", "--verbose"});
  ASSERT_TRUE(sim.waitForReadyRead(10000)) << "hcsim did not publish its port";
  StartProgram();
  const QString main = Window(kMain);
  ASSERT_FALSE(main.isEmpty());
  Key(main, "Return");  // to the port page, COM1 preselected from the settings
  Key(main, "Return");  // opens COM1: the firmware page lists a.bin

  // 1. The wizard during the Web Updates window's load: Enter, Alt+Right and a click on Next
  // would reach the programming page, which asks the hand control first.
  const int pingsBefore = Count("@@100");
  ClickAt(main, 131 + 144 + 76, 3 + 8 + 8, 300);  // "Download via the Web"
  Key(main, "Return", 100);
  AltKey(main, "Right", 100);
  ClickAt(main, 470, 254, 100);  // Next
  const QString web = Window(kWebUpdates);
  ASSERT_FALSE(web.isEmpty()) << "the window shows while it loads";
  Key(web, "Escape", 100);  // cannot close it before the list is in
  EXPECT_EQ(Count("@@100"), pingsBefore) << "the wizard stepped on during the load";

  // 2. A click on another row during a download: nothing starts another transfer, removes a
  // file or closes the window.
  ASSERT_TRUE(WaitFor(
      [&] {
        return QFile::exists(FilePath("PadFlasher.ver")) &&
               QFile(FilePath("PadFlasher.ver")).size() > 60;
      },
      30000))
      << "the catalogue never arrived";
  QThread::msleep(1000);
  ClickAt(web, 60, 70, 300);    // NEW300, Remote
  ClickAt(web, 57, 395, 1000);  // Download: 64 pieces at the site's pace
  ClickAt(web, 60, 100, 200);   // a, Local
  ClickAt(web, 160, 395, 200);  // Remove
  ClickAt(web, 57, 395, 200);   // Download again
  ClickAt(web, 580, 395, 200);  // Done
  Key(web, "Escape", 200);
  EXPECT_FALSE(Showing(kBox)) << "no removal question and no second download's message";
  EXPECT_TRUE(Showing(kWebUpdates)) << "the window stays open while the file transfers";
  ASSERT_TRUE(WaitFor([&] { return QFile(FilePath("NEW300.bin")).size() == kImageSize; }, 60000))
      << "the download did not finish";
  QThread::msleep(1500);
  EXPECT_TRUE(QFile::exists(FilePath("a.bin")));
  ClickAt(web, 580, 395);  // Done: the firmware page selects NEW300.bin
  EXPECT_FALSE(Showing(kWebUpdates));

  // 3. A second programming run after a cancelled check phase runs its own check to the end.
  AltKey(main, "Right", 2500);                   // the catalogue listed NEW300's code: no question
  ClickAt(main, 131 + 8 + 72, 3 + 136 + 12, 0);  // "Begin Programming"
  ASSERT_TRUE(WaitFor([&] { return Count("@@8") > 0; }, 60000)) << "no check phase";
  Key(main, "Escape", 0);                  // the exit button is the cancel button now
  const QString cancelled = Window(kBox);  // "Verify cancelled by user"
  const int checkedBeforeCancel = Count("@@8");
  EXPECT_LT(checkedBeforeCancel, 384);
  Key(cancelled, "space");
  const int checksBefore = Count("@@8");
  ClickAt(main, 131 + 8 + 72, 3 + 136 + 12, 0);
  const QString complete = Window(kBox);  // "Programming Complete"
  EXPECT_GE(Count("@@8") - checksBefore, 384) << "every block of bank 0 was checked";
  Key(complete, "space");

  Key(main, "Escape");
  Key(Window(kBox), "space");  // Yes, leave
  ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
}
