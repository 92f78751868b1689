// padflasher-cli on bad input, a misbehaving hand control, Ctrl-C, and bad usage.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CliHarness.h"

namespace {

TEST(CliBadImage, RejectedWithTheFirmwarePageTextsBeforeTouchingAnyPort) {
  struct Case {
    const char* name;
    QByteArray data;  // empty: no file at all
    const char* text;
  };
  QByteArray good = MakeImage({0}, 0x00AB);
  QByteArray swapped = good;
  std::swap(swapped[0xFFE0], swapped[0xFFE1]);
  const Case cases[] = {
      {"short", good.left(262143), "Error: Firmware file wrong size!"},
      {"long", good + QByteArray(1, char(0xFF)), "Error: Firmware file wrong size!"},
      {"signature", swapped, "Error: Firmware file invalid!"},
      {"missing", {}, "Error: Firmware file not found!"},
  };
  CliFixture f;
  f.ListVersion("00AB", "Demo", 1, 0);
  // No simulator: reaching the port would end with exit code 1, not 2.
  for (const Case& c : cases) {
    QString file = QString(c.name) + ".bin";
    if (!c.data.isEmpty()) f.WriteFile(file, c.data);
    for (const char* command : {"flash", "verify"}) {
      SCOPED_TRACE(std::string(command) + " " + c.name);
      CliResult r = f.Run({command, "--port", f.Path("no-such-device"), file});
      EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
      EXPECT_TRUE(r.err.contains(c.text)) << r.err.toStdString();
    }
  }
}

TEST(CliVerify, FullFindsExchangedBytesNamesBankAndBlockAndLogsBothBlocks) {
  CliFixture f;
  const QByteArray image = MakeImage({3, 7, 512 + 400}, 0x00AB);
  f.WriteFile("flash.bin", image);
  f.WriteFile("image.bin", image);
  f.StartSim({"--fault", "swap=0:3", "--fault", "swap=1:400"});
  QTemporaryDir work;

  CliResult fast = f.Run({"verify", "--fast", "--port", "COM1", f.Path("image.bin")});
  EXPECT_EQ(fast.exitCode, 0) << Explain(fast).toStdString();
  EXPECT_TRUE(fast.out.contains("Contents are Identical"));

  CliResult full =
      f.Run({"verify", "--debug-log", "--port", "COM1", f.Path("image.bin")}, work.path());
  EXPECT_EQ(full.exitCode, 1) << Explain(full).toStdString();
  // Without a terminal every difference is listed, then the command fails.
  EXPECT_TRUE(full.err.contains("Found Difference at Bank: 0, Block: 3\n\nContinue? -> Yes"));
  EXPECT_TRUE(full.err.contains("Found Difference at Bank: 1, Block: 400\n\nContinue? -> Yes"));
  EXPECT_EQ(full.err.count("Found Difference"), 2);
  EXPECT_FALSE(full.out.contains("Contents are Identical"));

  QFile log(QDir(work.path()).filePath("debugexe.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << "debugexe.txt not in the current folder";
  QString text = QString::fromLatin1(log.readAll());
  QByteArray block = image.mid(3 * 256, 256);
  QByteArray read = block;
  std::swap(read[0], read[1]);
  EXPECT_TRUE(text.contains(": File: " + block.toHex().toUpper() + "\r\n"));
  EXPECT_TRUE(text.contains(": HC:   " + read.toHex().toUpper() + "\r\n"));
  EXPECT_FALSE(QFileInfo::exists(f.Path("debugexe.txt")));
}

TEST(CliFlash, UnacknowledgedRunIsRetriedTwiceThenFails) {
  CliFixture f;
  f.WriteFile("new.bin", MakeImage({0, 1}, 0x00AB));
  // Every write acknowledgement leaves long after the 5000 ms the link waits for it.
  f.StartSim({"--fault", "delay=20000:2"});
  CliResult r = f.Run({"flash", "--yes", "--port", "COM1", "new.bin"});
  EXPECT_EQ(r.exitCode, 1) << Explain(r).toStdString();
  const QString question =
      "An Error occurred Programming Data at Block: 0\n\n"
      "You may be able to recover by Retrying.\n\n"
      "Would you like to Retry Block?";
  EXPECT_EQ(r.err.count(question + " -> Yes (no terminal)"), 2) << r.err.toStdString();
  EXPECT_EQ(r.err.count(question + " -> No (no terminal)"), 1) << r.err.toStdString();
  EXPECT_EQ(f.StopSim().count("@@2000002XX"), 3);
}

TEST(CliFlash, InterruptStopsAPacedFlashAfterTheCurrentRunWithCode130) {
  CliFixture f;
  // 128 one-block runs, so that the flash is still writing when the interrupt comes.
  std::vector<int> blocks;
  for (int b = 0; b < 256; b += 2) blocks.push_back(b);
  f.WriteFile("new.bin", MakeImageOfBlocks(blocks, 0x00AB, 5));
  f.StartSim({}, 19200);
  const CliResult r = f.Interrupt({"flash", "--yes", "--port", "COM1", "new.bin"}, "programming, ");
  EXPECT_EQ(r.exitCode, 130) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("Programming cancelled by user")) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains("Programming Complete"));
  int writes = f.StopSim().count("@@2");
  EXPECT_GE(writes, 1);
  EXPECT_LT(writes, 128);
}

TEST(CliLostPort, ReadAndIdentifyStopAtOnceWhenTheAdapterGoes) {
  struct Case {
    const char* what;
    const char* disconnectAfter;  // bytes hcsim receives before it drops the line
    QStringList args;
  } cases[] = {
      {"identify, during the firmware query", "disconnect=22", {"identify"}},
      {"read, during the read-back", "disconnect=300", {"read", "out.bin"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CliFixture f;
    f.WriteFile("flash.bin", MakeImage({0, 1}, 0x00AB));
    f.WriteFile("out.bin", "an older file");
    f.StartSim({"--fault", c.disconnectAfter});
    CliResult r = f.Run(c.args + QStringList{"--port", "COM1"});
    EXPECT_EQ(r.exitCode, 1) << Explain(r).toStdString();
    EXPECT_TRUE(r.err.contains("The connection to the hand control on COM1 was lost."))
        << r.err.toStdString();
    // No retry question over a port that is gone.
    EXPECT_FALSE(r.err.contains("Error Reading Data")) << r.err.toStdString();
    EXPECT_EQ(f.ReadFile("out.bin"), QByteArray("an older file"));
  }
}

TEST(CliRead, InterruptLeavesNoFileBehindAndExitsWith130) {
  CliFixture f;
  f.WriteFile("flash.bin", MakeImage({0, 1}, 0x00AB));
  f.WriteFile("out.bin", "an older file");
  f.StartSim({}, 19200);
  const CliResult r = f.Interrupt({"read", "--port", "COM1", "out.bin"}, "Read:   0%");
  EXPECT_EQ(r.exitCode, 130) << r.err.toStdString();
  EXPECT_EQ(f.ReadFile("out.bin"), QByteArray("an older file"));
  EXPECT_EQ(QDir(f.Dir()).entryList(QDir::Files).filter("out.bin").size(), 1)
      << "a temporary file was left behind";
}

TEST(CliUsage, BadUsageExitsWithCode2AndEveryCommandHasHelp) {
  CliFixture f;
  f.WriteFile("x.bin", MakeImage({0}, 1));
  const QStringList bad[] = {
      {"bogus"},
      {"flash", "--port", "COM1"},
      {"flash", "--verify", "sometimes", "x.bin"},
      {"flash", "x.bin", "y.bin"},
      {"verify", "--nonsense", "x.bin"},
      {"read"},
      {"identify", "extra"},
      {"ports", "--folder", f.Path("no-such-folder")},
  };
  for (const QStringList& args : bad) {
    SCOPED_TRACE(args.join(' ').toStdString());
    CliResult r = f.Run(args);
    EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
    EXPECT_FALSE(r.err.isEmpty());
  }
  CliResult none = f.Run({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_TRUE(none.err.contains("Usage: padflasher-cli [global options] COMMAND"));

  CliResult top = f.Run({"--help"});
  EXPECT_EQ(top.exitCode, 0);
  for (const char* name : {"ports", "identify", "flash", "verify", "read"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(top.out.contains(QString("\n  ") + name + " "));
    CliResult help = f.Run({name, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QString("Usage: padflasher-cli ") + name))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--folder"));
  }
}

TEST(CliUsage, EveryCommandHasTheSameHelpLayoutAndVersion) {
  CliFixture f;
  CliResult top = f.Run({"--help"});
  ASSERT_EQ(top.exitCode, 0);
  const QStringList globals = {"--folder DIR", "-q, --quiet", "-v, --verbose", "--trace FILE",
                               "--debug-log",  "--stats",     "-h, --help",    "-V, --version"};
  for (const QString& option : globals)
    EXPECT_TRUE(top.out.contains(option)) << option.toStdString();
  EXPECT_TRUE(top.out.contains("/share/doc/padflasher once installed")) << top.out.toStdString();
  for (const char* name :
       {"ports", "identify", "flash", "verify", "read", "catalogue", "download"}) {
    SCOPED_TRACE(name);
    CliResult help = f.Run({name, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QString("Usage: padflasher-cli ") + name));
    EXPECT_FALSE(help.out.contains("help-all"));
    // The global options close every command's help, exactly as the top level lists them.
    const QString tail = help.out.mid(help.out.indexOf("\nGlobal options:\n") + 17);
    EXPECT_TRUE(top.out.contains(tail)) << help.out.toStdString();
    for (const char* version : {"-V", "--version"}) {
      CliResult shown = f.Run({name, version});
      EXPECT_EQ(shown.exitCode, 0);
      EXPECT_EQ(shown.out, "padflasher-cli 1.0.2\n");
    }
  }
  EXPECT_EQ(f.Run({"-V"}).out, "padflasher-cli 1.0.2\n");
}

TEST(CliUsage, MistakesAreNamed) {
  CliFixture f;
  const struct {
    QStringList args;
    const char* said;
  } cases[] = {
      {{"flsh"}, "did you mean 'flash'?"},
      {{"verfy", "x.bin"}, "did you mean 'verify'?"},
      {{"identfy"}, "did you mean 'identify'?"},
      {{"cat"}, "did you mean 'catalogue'?"},
      {{"port"}, "did you mean 'ports'?"},
      {{"read"}, "missing argument OUT"},
      {{"flash", "--yes"}, "missing argument IMAGE"},
      {{"download"}, "missing argument NAME"},
      {{"identify", "-q", "-v"}, "exclude each other"},
      {{"identify", "-qv"}, "exclude each other"},
      {{"flash", "-y"}, "missing argument IMAGE"},
      {{"identify", "--prot", "COM1"}, "unknown option '--prot'; did you mean '--port'?"},
      {{"flash", "--verfy=full", "x.bin"}, "unknown option '--verfy'; did you mean '--verify'?"},
      {{"read", "-x", "out.bin"}, "unknown option '-x'\nTry 'padflasher-cli read --help'."},
      {{"verify", "x.bin", "--folder"}, "missing value after '--folder'."},
      {{"identify", "--port", "COM99"}, "'COM99' is no port name: use COM1 to COM16."},
      {{"identify", "--port", ""}, "the port name is empty"},
      {{"identify", "--port", "usb:0403"}, "'usb:0403' names no USB adapter"},
      {{"identify", "--port", "usb:0403:60011"}, "names no USB adapter"},
      {{"identify", "--port", "COM1", "--port", "com1"}, "the port com1 is given twice."},
      {{"identify", "--port", "COM1", "--port", "COM99"}, "'COM99' is no port name"},
      {{"read", "--port", "COM1", "--port", "COM2", "out.bin"},
       "with several ports OUT is the folder for their files, and out.bin is no folder."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    CliResult r = f.Run(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
  }
  CliResult far = f.Run({"xyzzy"});
  EXPECT_EQ(far.exitCode, 2);
  EXPECT_FALSE(far.err.contains("did you mean"));
}

TEST(CliPorts, MissingDeviceIsNamedAndListedPortsResolveThroughThePortsFolder) {
  CliFixture f;
  const struct {
    const char* port;
    const char* said;
  } missing[] = {
      {"/dev/padflasher-no-such-tty", "/dev/padflasher-no-such-tty does not exist"},
      {"padflasher-no-such-tty",
       "no device 'padflasher-no-such-tty' in /dev/ or /dev/serial/by-id/; list the ports"},
      {"usb:fffe:0001", "no USB adapter is usb:fffe:0001; "},
  };
  for (const auto& m : missing) {
    SCOPED_TRACE(m.port);
    CliResult r = f.Run({"identify", "--port", m.port});
    EXPECT_EQ(r.exitCode, 1) << Explain(r).toStdString();
    EXPECT_TRUE(r.err.contains(m.said)) << r.err.toStdString();
  }

  f.StartSim();
  CliResult ports = f.Run({"ports"});
  ASSERT_EQ(ports.exitCode, 0) << Explain(ports).toStdString();
  QString line;
  for (const QString& l : ports.out.split('\n'))
    if (l.startsWith("COM1  ")) line = l;
  ASSERT_FALSE(line.isEmpty()) << ports.out.toStdString();
  EXPECT_EQ(QFileInfo(line.mid(6)).canonicalFilePath(),
            QFileInfo(f.Path("ports/COM1")).canonicalFilePath());
}

}  // namespace
