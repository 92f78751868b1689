// A full disk: every write is checked up to the rename, the old file survives, nothing is left
// half written, and the user hears of it. The disk fills for real: a child process with a file
// size limit (writes fail with EFBIG), and, where mounting is allowed, a tiny tmpfs (ENOSPC).
#include <sys/mount.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <csignal>

#include "WebFixture.h"
#include "base/DebugLog.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

constexpr char kOldVersions[] = "[VERSIONS]\r\n   Version      = A,Mine,BEEF,1,00\r\n";

// Runs in the child before the program starts: writes past limit bytes fail with EFBIG.
std::function<void()> FileSizeLimit(rlim_t limit) {
  return [limit] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{limit, limit};
    setrlimit(RLIMIT_FSIZE, &r);
  };
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class WriteFailureTest : public WebFixture {
 protected:
  void SetUp() override {
    WebFixture::SetUp();
    // A catalogue whose versions file is longer than the tightest limit below, and a
    // description long enough to find a nearly full disk.
    QByteArray description;
    for (int i = 0; i < 1200; ++i)
      description += "Line of the description, number " + QByteArray::number(i) + "\r\n";
    SiteFile("catalogue.txt", "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\n" + description +
                                  "@Old.bin,2001-01-01,1,I,TypeA,0001,0,1\r\n");
    SiteFile("X1.bin", Image('1'));
  }
  void TearDown() override {
    if (!mounted_.isEmpty()) umount2(mounted_.toLocal8Bit().constData(), MNT_DETACH);
    WebFixture::TearDown();
  }
  // A tmpfs of kib KiB as a program folder of its own; empty (and a note) where mounting is not
  // allowed.
  QString SmallDisk(int kib) {
    const QString folder = programDir_.filePath("disk");
    QDir().mkpath(folder);
    const std::string size = "size=" + std::to_string(kib) + "k";
    if (mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, size.c_str()) != 0) {
      return {};
    }
    mounted_ = folder;
    return folder;
  }
  // Fills the disk of folder up to the last byte.
  static void FillUp(const QString& folder) {
    QFile filler(folder + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
  }
  QString mounted_;
};

TEST_F(WriteFailureTest, TheCliReportsAFailedWriteAndKeepsTheOldFiles) {
  struct Case {
    const char* what;
    int diskKib;   // tmpfs size; 0: a file size limit instead
    bool full;     // the tmpfs is filled up before the run
    rlim_t limit;  // the child's file size limit
    QStringList args;
    std::string reason;       // expected on stderr
    QStringList absentAfter;  // files that must not be there afterwards
    bool versionsKept;        // the versions file is the one under test
  } cases[] = {
      {"versions file over the size limit",
       0,
       false,
       40,
       {"catalogue"},
       "File too large",
       {},
       true},
      {"image over the size limit",
       0,
       false,
       100000,
       {"download", "X1"},
       "File too large",
       {"X1.bin", "X1.txt"},
       false},
      {"versions file on a full disk",
       64,
       true,
       0,
       {"catalogue"},
       "No space left on device",
       {},
       true},
      {"description after the image fills the disk",
       300,
       false,
       0,
       {"download", "X1"},
       "No space left on device",
       {"X1.bin", "X1.txt"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QString folder = programDir_.filePath(QString("case%1").arg(&c - cases));
    QDir().mkpath(folder);
    if (c.diskKib) {
      folder = SmallDisk(c.diskKib);
      if (folder.isEmpty()) {
        std::printf("note: mounting a tmpfs is not allowed here; \"%s\" not tried\n", c.what);
        continue;
      }
    }
    PointAt(folder);
    {
      QFile versions(folder + "/PadFlasher.ver");
      ASSERT_TRUE(versions.open(QIODevice::WriteOnly));
      versions.write(kOldVersions);
    }
    if (c.full) FillUp(folder);
    const QStringList before = Entries(folder);
    CliRun run = Cli(c.args, folder, c.diskKib ? std::function<void()>() : FileSizeLimit(c.limit));
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromStdString(c.reason))) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains("Downloaded")) << run.out.toStdString();
    if (c.versionsKept) {
      EXPECT_EQ(Read(folder + "/PadFlasher.ver"), kOldVersions);
    }
    // No temporary file is left, and nothing half written takes a name.
    EXPECT_EQ(Entries(folder), before);
    for (const QString& name : c.absentAfter) EXPECT_FALSE(QFile::exists(folder + "/" + name));
    if (!mounted_.isEmpty()) {
      umount2(mounted_.toLocal8Bit().constData(), MNT_DETACH);
      mounted_.clear();
    }
  }
}

TEST_F(WriteFailureTest, SettingsOnAFullDiskKeepTheOldFileAndTheLogSaysWhy) {
  const QString folder = SmallDisk(16);
  if (folder.isEmpty()) GTEST_SKIP() << "mounting a tmpfs is not allowed here";
  const QByteArray old = "[PADFLASHER]\r\n   COMport      = COM7\r\n";
  {
    QFile ini(folder + "/PadFlasher.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(old);
  }
  FillUp(folder);
  const QStringList before = Entries(folder);
  const std::string file = folder.toStdString() + "/PadFlasher.ini";
  gComPort = "COM3";
  bool saved = true;
  const QByteArray log = LogWhile([&] { saved = SaveSettings(file); });
  EXPECT_FALSE(saved);
  EXPECT_EQ(Read(folder + "/PadFlasher.ini"), old);
  EXPECT_EQ(Entries(folder), before);
  EXPECT_TRUE(
      log.contains(QByteArray::fromStdString("Cannot write " + file + ": No space left on device")))
      << log.toStdString();
}

}  // namespace
