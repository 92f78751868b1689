// hcsim's own command line: bad input is refused with a reason and never harms the user's files.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "TestImage.h"

namespace {

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

Outcome Hcsim(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(PADFLASHER_BIN_DIR "/hcsim"), args);
  Outcome run;
  if (!process.waitForFinished(15000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.exitCode = process.exitCode();
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

void WriteFile(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HcsimCommandLine, HelpNamesEveryOptionAndFault) {
  const Outcome run = Hcsim({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* word :
       {"--link", "--flash", "--baud", "--fault", "--adapter", "--trace", "--version", "SIGTERM",
        "disconnect=N", "xoff=N", "nack=N", "corrupt=B:K", "lowercase", "--make-image"}) {
    EXPECT_TRUE(run.out.contains(word)) << word;
  }
  for (const char* version : {"--version", "-V"}) {
    const Outcome shown = Hcsim({version});
    EXPECT_EQ(shown.exitCode, 0) << version;
    EXPECT_EQ(shown.out, "hcsim 1.0.2\n") << version;
  }
}

TEST(HcsimCommandLine, UsageErrorsAreRefusedWithAReason) {
  QTemporaryDir dir;
  const QString link = dir.filePath("COM3");
  const struct {
    QStringList args;
    const char* reason;
  } cases[] = {
      {{}, "--link"},
      {{"--link"}, "needs a value"},
      {{"--link", link, "--baud", "fast"}, "--baud"},
      {{"--link", link, "--baud", "-5"}, "--baud"},
      {{"--link", link, "--fault", "explode=3"}, "explode=3"},
      {{"--link", link, "--speed", "9600"}, "--speed"},
      {{"--link", link, "--adapter", "cp210x"}, "cp210x"},
      {{"--link", link, "--adapter", "ftdi:0"}, "ftdi:0"},
      {{"--link", link, "--adapter=ftdi:256"}, "ftdi:256"},
      {{"--make-image", link, "C2O7", "1", "0-31"}, "C2O7"},
      {{"--make-image", link, "C207", "1", "0-1024"}, "0-1024"},
  };
  for (const auto& c : cases) {
    const Outcome run = Hcsim(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
    EXPECT_TRUE(run.err.contains(c.reason)) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(link));
  }
}

// Scripts make their images with the maker the tests use, byte for byte.
TEST(HcsimCommandLine, MakeImageWritesTheTestImage) {
  QTemporaryDir dir;
  const QString file = dir.filePath("demo.bin");
  const Outcome run = Hcsim({"--make-image", file, "d207", "2", "0-31", "400", "900-903"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  const auto expected = testimage::MakeImage({{0, 31}, {400, 400}, {900, 903}}, 0xD207, 2);
  ASSERT_TRUE(expected);
  EXPECT_EQ(ReadFile(file), QByteArray::fromStdString(*expected));
}

TEST(HcsimCommandLine, NeverOverwritesWhatIsNotItsOwn) {
  QTemporaryDir dir;
  // A flash file of the wrong size is not used, and not replaced on exit either.
  const QString shortFlash = dir.filePath("short.bin");
  WriteFile(shortFlash, QByteArray(1000, 'x'));
  Outcome run = Hcsim({"--link", dir.filePath("COM3"), "--flash", shortFlash});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("262144")) << run.err.toStdString();
  EXPECT_EQ(ReadFile(shortFlash), QByteArray(1000, 'x'));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("COM3")));

  // A regular file where the link should go stays as it is.
  const QString occupied = dir.filePath("COM4");
  WriteFile(occupied, "keep me");
  run = Hcsim({"--link", occupied, "--baud", "0"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("not a symbolic link")) << run.err.toStdString();
  EXPECT_EQ(ReadFile(occupied), "keep me");
}

TEST(HcsimCommandLine, AFlashThatCannotBeSavedIsReportedAndLeavesNothingHalfWritten) {
  QTemporaryDir dir;
  const QString flash = dir.filePath("flash.bin");
  const QString link = dir.filePath("COM3");
  QProcess process;
  // Writes past 100000 bytes fail with EFBIG, as on a disk that is full.
  process.setChildProcessModifier([] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  process.start(QStringLiteral(PADFLASHER_BIN_DIR "/hcsim"),
                {"--link", link, "--flash", flash, "--baud", "0"});
  ASSERT_TRUE(process.waitForReadyRead(15000));  // the pseudo-terminal's name: it is up
  process.terminate();
  ASSERT_TRUE(process.waitForFinished(15000));
  EXPECT_EQ(process.exitCode(), 1);
  const QString err = QString::fromUtf8(process.readAllStandardError());
  EXPECT_TRUE(err.contains("cannot write " + flash + ": File too large")) << err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(flash));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
}

}  // namespace
