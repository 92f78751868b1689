// padflasher-cli against hcsim on a real pseudo-terminal: programming, reading, identifying.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "CliHarness.h"

namespace {

constexpr uint16_t kListedCode = 0x00AB;

// Offsets where two images differ, described for a failure message.
QString FirstDifference(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size()) return QString("sizes %1 and %2").arg(a.size()).arg(b.size());
  for (int i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return QString("first difference at offset 0x%1").arg(i, 0, 16);
  return "identical";
}

TEST(CliFlash, RoundTripThenIdentifyShowsTheNewCode) {
  CliFixture f;
  f.ListVersion("00ab", "Demo Hand Control", 2, 7);
  f.WriteFile("PadFlasher.ini", "[PADFLASHER]\r\nCOMPORT=com1\r\n");
  // Runs in both banks and both halves, a lone block, and block 300 that is never written.
  const QByteArray image =
      MakeImage({0, 1, 2, 10, 255, 300, 400, 511, 512 + 5, 512 + 450}, kListedCode);
  f.WriteFile("new.bin", image);
  f.StartSim();

  CliResult before = f.Run({"identify"});  // port from COMPORT
  ASSERT_EQ(before.exitCode, 0) << Explain(before).toStdString();
  EXPECT_EQ(before.out, "Code: FFFF\nType: Unknown\nVersion: Unknown\n");

  CliResult flash = f.Run({"flash", "--port", "COM1", "new.bin"});
  ASSERT_EQ(flash.exitCode, 0) << Explain(flash).toStdString();
  // One progress for the whole job, one line per tenth of it, never going back.
  QStringList shown;
  for (const QString& line : flash.err.split('\n'))
    if (line.startsWith("Flash: ")) shown << line.mid(7, 4).trimmed();
  EXPECT_EQ(shown.first(), "0%");
  EXPECT_EQ(shown.last(), "100%");
  for (int i = 1; i < shown.size(); ++i)
    EXPECT_LT(shown[i - 1].chopped(1).toInt(), shown[i].chopped(1).toInt());

  CliResult after = f.Run({"identify", "--port", "COM1"});
  ASSERT_EQ(after.exitCode, 0) << Explain(after).toStdString();
  EXPECT_EQ(after.out, "Code: 00AB\nType: Demo Hand Control\nVersion: 2.07\n");

  f.StopSim();
  QByteArray expected = image;
  for (int i = 0; i < expected.size(); ++i)
    if (!testimage::InWrittenRange(i)) expected[i] = char(0xFF);
  EXPECT_EQ(f.SimFlash(), expected) << FirstDifference(f.SimFlash(), expected).toStdString();
}

TEST(CliFlash, LongRunAtTheRealLineRateIsAcknowledged) {
  CliFixture f;
  // A 64-block run is 16 KB: more than a transmit buffer, far less than a pseudo-terminal takes
  // at once. The acknowledgement must not be awaited while most of the run is still queued.
  std::vector<int> blocks;
  for (int b = 0; b < 64; ++b) blocks.push_back(b);
  const QByteArray image = MakeImageOfBlocks(blocks, kListedCode, 4);
  f.WriteFile("long.bin", image);
  f.StartSim({}, 19200);
  CliResult r = f.Run({"flash", "--yes", "--port", "COM1", "long.bin"});
  EXPECT_EQ(r.exitCode, 0) << Explain(r).toStdString();
  EXPECT_FALSE(r.err.contains("Retry Block?"));
  EXPECT_EQ(f.StopSim().count("@@2000040XX"), 1);
}

TEST(CliRead, BackupHoldsTheWrittenRangesAndFlashingItBackReproducesIt) {
  CliFixture f;
  // The simulator starts with data in every quarter, also where programming never writes.
  const QByteArray original =
      MakeImage({3, 255, 256, 383, 384, 500, 512, 700, 896, 1023}, 0x1234, 7);
  f.WriteFile("flash.bin", original);
  f.WriteFile("other.bin", MakeImage({0, 1, 2}, 0x4321, 9));
  f.StartSim();

  CliResult read = f.Run({"read", "--port", "COM1", "backup.bin"});
  ASSERT_EQ(read.exitCode, 0) << Explain(read).toStdString();
  const QByteArray backup = f.ReadFile("backup.bin");
  ASSERT_EQ(backup.size(), 262144);
  int mismatches = 0;
  for (int i = 0; i < backup.size(); ++i) {
    char want = testimage::InWrittenRange(i) ? original[i] : char(0xFF);
    if (backup[i] != want) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);

  // Overwrite it with another image, taking a second backup first: the same bytes come back.
  CliResult other =
      f.Run({"flash", "--port", "COM1", "--yes", "--backup", "second.bin", "other.bin"});
  ASSERT_EQ(other.exitCode, 0) << Explain(other).toStdString();
  EXPECT_EQ(f.ReadFile("second.bin"), backup);

  CliResult restore = f.Run({"flash", "--port", "COM1", "--yes", "--verify", "full", "backup.bin"});
  ASSERT_EQ(restore.exitCode, 0) << Explain(restore).toStdString();
  EXPECT_TRUE(restore.out.contains("Contents are Identical"));
  EXPECT_TRUE(restore.out.contains("Code: 1234"));
  f.StopSim();
  EXPECT_EQ(f.SimFlash(), backup) << FirstDifference(f.SimFlash(), backup).toStdString();
}

TEST(CliRead, AnOutputThatMayNotBeWrittenIsRefusedBeforeReadingAndKeptAsItWas) {
  CliFixture f;
  f.StartSim();
  f.ListVersion("1234", "GPS HC", 2, 0);
  f.WriteFile("new.bin", MakeImage({0}, 0x1234));
  f.WriteFile("other.txt", "the user's");
  f.WriteFile("readonly.bin", "kept");
  ASSERT_TRUE(QFile::setPermissions(f.Path("readonly.bin"), QFileDevice::ReadOwner));
  ASSERT_TRUE(QFile::link(f.Path("other.txt"), f.Path("link.bin")));
  const QByteArray versions = f.ReadFile("PadFlasher.ver");
  struct Case {
    QStringList args;
    QString said;
  };
  const Case cases[] = {
      {{"read", "--port", "COM1", f.Path("missing-folder/out.bin")}, "cannot write"},
      {{"read", "--port", "COM1", "PadFlasher.ver"}, "one of the program's own files"},
      {{"read", "--port", "COM1", "padflasher.VER"}, "one of the program's own files"},
      {{"read", "--port", "COM1", "link.bin"}, "is a symbolic link"},
      {{"read", "--port", "COM1", "readonly.bin"}, "is read-only"},
      {{"flash", "--port", "COM1", "--yes", "--backup", "link.bin", "new.bin"},
       "is a symbolic link"},
      {{"flash", "--port", "COM1", "--yes", "--backup", "PadFlasher.ver", "new.bin"},
       "one of the program's own files"},
      {{"identify", "--port", "COM1", "--trace", "link.bin"}, "is a symbolic link"},
      {{"identify", "--port", "COM1", "--trace", "readonly.bin"}, "is read-only"},
      {{"identify", "--port", "COM1", "--trace", "PadFlasher.ver"},
       "one of the program's own files"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    CliResult r = f.Run(c.args);
    EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
    EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
  }
  EXPECT_EQ(f.ReadFile("other.txt"), "the user's");
  EXPECT_TRUE(QFileInfo(f.Path("link.bin")).isSymLink());
  EXPECT_EQ(f.ReadFile("readonly.bin"), "kept");
  EXPECT_EQ(f.ReadFile("PadFlasher.ver"), versions);
  const QString simLog = f.StopSim();
  EXPECT_FALSE(simLog.contains("@@6") || simLog.contains("@@2")) << "nothing read or written";
}

TEST(CliFlash, SilentHandControlFailsWithTheInstructionsAndErasesNothing) {
  CliFixture f;
  f.ListVersion("00AB", "Demo", 1, 0);
  const QByteArray held = MakeImage({4, 5}, 0x5555, 3);
  f.WriteFile("flash.bin", held);
  f.WriteFile("new.bin", MakeImage({0}, kListedCode));
  f.StartSim({"--fault", "silent"});

  CliResult r = f.Run({"flash", "--port", "COM1", "new.bin"});
  EXPECT_EQ(r.exitCode, 1) << Explain(r).toStdString();
  EXPECT_TRUE(
      r.err.contains("Hand Control must be placed into Programming Mode:\n\n"
                     "Hold down both the Undo and Info keys while\n"));
  EXPECT_TRUE(r.err.contains("Once it does, run the\ncommand again."));
  EXPECT_FALSE(r.err.contains("click"));
  EXPECT_TRUE(r.err.contains("Nothing was changed"));
  QString simLog = f.StopSim();
  EXPECT_TRUE(simLog.contains("@@100XXXXXX"));
  EXPECT_FALSE(simLog.contains("@@5XXXXXXXX"));
  EXPECT_EQ(f.SimFlash(), held);
}

TEST(CliFlash, UnlistedImageNeedsYes) {
  CliFixture f;
  f.ListVersion("00AB", "Demo", 1, 0);
  const QByteArray held = MakeImage({4}, kListedCode, 3);
  f.WriteFile("flash.bin", held);
  f.WriteFile("unlisted.bin", MakeImage({0}, 0xBEEF));
  f.StartSim();

  CliResult r = f.Run({"flash", "--port", "COM1", "unlisted.bin"});
  EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
  // The window's first line; then what a terminal user can do, not the window's buttons.
  EXPECT_TRUE(r.err.contains(
      "Warning: Firmware file is not supported with this version of the program.\n\n"));
  EXPECT_TRUE(r.err.contains("BEEF"));
  EXPECT_TRUE(r.err.contains("add --yes"));
  EXPECT_FALSE(r.err.contains("click"));
  EXPECT_FALSE(f.StopSim().contains("@@5XXXXXXXX"));
  EXPECT_EQ(f.SimFlash(), held);
}

}  // namespace
