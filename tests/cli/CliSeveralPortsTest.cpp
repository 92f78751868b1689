// padflasher-cli on several simulated hand controls at once: one process per port, one failing
// alone, Ctrl-C reaching all of them, one file per port.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CliHarness.h"

namespace {

constexpr uint16_t kCode = 0x00AB;

QJsonArray PortDocuments(const CliResult& r) {
  QJsonParseError error{};
  const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
  EXPECT_EQ(error.error, QJsonParseError::NoError) << Explain(r).toStdString();
  return doc.value("ports").toArray();
}

// The summary row of a port on stdout.
QString Row(const CliResult& r, const QString& port) {
  for (const QString& line : r.out.split('\n'))
    if (line.startsWith(port + " ")) return line;
  return {};
}

TEST(CliSeveralPorts, AFailingHandControlFailsAloneWhileTheOthersAreProgrammed) {
  CliFixture f;
  f.ListVersion("00AB", "Demo", 2, 7);
  const QByteArray image = MakeImage({0, 7, 400, 512 + 3}, kCode);
  f.WriteFile("new.bin", image);
  const QByteArray held = MakeImage({4}, 0x5555, 3);
  for (const char* name : {"a.bin", "b.bin", "c.bin"}) f.WriteFile(name, held);
  f.StartSimAt("COM1", "a.bin");
  f.StartSimAt("COM2", "b.bin");
  // Answers the presence test and the firmware query, then nothing from the erase on.
  f.StartSimAt("COM3", "c.bin", {"--fault", "mute=3"});
  const QStringList ports{"--port", "COM1", "--port", "COM2", "--port", "COM3"};

  const CliResult flash = f.Run(QStringList{"flash", "--debug-log", "new.bin"} + ports);
  EXPECT_EQ(flash.exitCode, 1) << Explain(flash).toStdString();
  EXPECT_TRUE(Row(flash, "COM1")
                  .contains(QRegularExpression(
                      "^COM1  ok +[0-9.]+  Programmed and checked by block sums\\.$")))
      << Explain(flash).toStdString();
  EXPECT_TRUE(Row(flash, "COM2").contains(" ok ")) << Explain(flash).toStdString();
  EXPECT_TRUE(Row(flash, "COM3").contains(" failed ")) << Explain(flash).toStdString();
  EXPECT_TRUE(flash.err.contains("COM3: ")) << "what failed is told with its port";
  EXPECT_TRUE(flash.err.contains("1 of 3 hand controls did not succeed: COM3."));
  // On a pipe: plain lines, each port's progress marked with its name.
  EXPECT_TRUE(flash.err.contains(QRegularExpression("COM2: +[0-9]+% programming\n")));
  EXPECT_FALSE(flash.err.contains(QRegularExpression("[\\x01-\\x09\\x0b-\\x1f]")));
  for (const char* log : {"debugexe-COM1.txt", "debugexe-COM2.txt", "debugexe-COM3.txt"})
    EXPECT_TRUE(QFileInfo(f.Path(log)).size() > 0) << log;

  const CliResult verify = f.Run(QStringList{"verify", "--json", "new.bin"} + ports);
  EXPECT_EQ(verify.exitCode, 1) << Explain(verify).toStdString();
  const QJsonArray documents = PortDocuments(verify);
  ASSERT_EQ(documents.size(), 3) << Explain(verify).toStdString();
  const int codes[] = {0, 0, 1};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const QJsonObject doc = documents[i].toObject();
    EXPECT_EQ(doc.value("port").toString(), QString("COM%1").arg(i + 1));
    EXPECT_EQ(doc.value("command").toString(), "verify");
    EXPECT_EQ(doc.value("exit_code").toInt(-1), codes[i]);
    EXPECT_EQ(doc.value("message").toString().contains("did not answer"), codes[i] != 0);
  }
  f.StopSim();
  QByteArray written = image;
  for (int i = 0; i < written.size(); ++i)
    if (!testimage::InWrittenRange(i)) written[i] = char(0xFF);
  EXPECT_EQ(f.ReadFile("a.bin"), written);
  EXPECT_EQ(f.ReadFile("b.bin"), written);
}

TEST(CliSeveralPorts, CtrlCStopsEveryPortAtItsNextCheckAndReportsEach) {
  CliFixture f;
  // 128 one-block runs at the real line rate: every port is still writing when Ctrl-C comes.
  std::vector<int> blocks;
  for (int b = 0; b < 256; b += 2) blocks.push_back(b);
  f.WriteFile("new.bin", MakeImageOfBlocks(blocks, kCode, 5));
  QStringList args{"flash", "--yes", "--json", "new.bin"};
  QStringList shown;
  for (const QString com : {"COM1", "COM2", "COM3"}) {
    f.StartSimAt(com, com + ".bin", {}, 19200);
    args << "--port" << com;
    shown << com + ": +[0-9]+% programming";
  }
  const CliResult r = f.InterruptWhenAll(args, shown);
  EXPECT_EQ(r.exitCode, 130) << Explain(r).toStdString();
  EXPECT_EQ(r.err.count(QRegularExpression("COM[123]: Programming cancelled by user")), 3)
      << r.err.toStdString();
  const QJsonArray documents = PortDocuments(r);
  ASSERT_EQ(documents.size(), 3);
  for (const QJsonValue& doc : documents)
    EXPECT_EQ(doc.toObject().value("exit_code").toInt(), 130) << r.err.toStdString();
  const QString simLog = f.StopSim();
  EXPECT_GE(simLog.count("@@2"), 3);
  EXPECT_LT(simLog.count("@@2"), 3 * 128);
}

TEST(CliSeveralPorts, ReadWritesOneFileNamedAfterEachPort) {
  CliFixture f;
  const QByteArray first = MakeImage({1, 300}, 0x1111, 1), second = MakeImage({2, 600}, 0x2222, 2);
  f.WriteFile("a.bin", first);
  f.WriteFile("b.bin", second);
  f.StartSimAt("COM1", "a.bin");
  f.StartSimAt("COM2", "b.bin");
  ASSERT_TRUE(QDir(f.Dir()).mkdir("backups"));
  const CliResult r = f.Run({"read", "--port", "COM1", "--port", "COM2", "backups"});
  ASSERT_EQ(r.exitCode, 0) << Explain(r).toStdString();
  EXPECT_TRUE(r.out.contains("All 2 hand controls succeeded."));
  EXPECT_TRUE(Row(r, "COM2").contains("Read 262144 bytes into backups/COM2.bin"))
      << Explain(r).toStdString();
  EXPECT_EQ(f.ReadFile("backups/COM1.bin").mid(256, 256), first.mid(256, 256));
  EXPECT_EQ(f.ReadFile("backups/COM2.bin").mid(512, 256), second.mid(512, 256));
  EXPECT_EQ(QDir(f.Path("backups")).entryList(QDir::Files).size(), 2);
}

}  // namespace
