// What padflasher-cli prints for scripts and for support: the JSON documents, --verbose,
// --quiet, and the serial trace compared with the simulator's own.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "CliHarness.h"

namespace {

constexpr uint16_t kCode = 0x00AB;

QJsonObject Document(const CliResult& r) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << Explain(r).toStdString();
  return doc.object();
}

QJsonObject Firmware(const char* code, const QJsonValue& type, const QJsonValue& version) {
  return {{"code", code}, {"type", type}, {"version", version}};
}

TEST(CliJson, EveryDeviceCommandEndsWithOneDocument) {
  CliFixture f;
  f.ListVersion("00AB", "Demo", 2, 7);
  const QByteArray image = MakeImage({0, 5, 400, 512 + 7}, kCode);
  f.WriteFile("new.bin", image);
  QByteArray differing = image;
  differing[5 * 256 + 9] = char(differing[5 * 256 + 9] ^ 1);
  f.WriteFile("other.bin", differing);
  f.StartSim();

  const QJsonValue null = QJsonValue::Null;
  const QJsonObject blank = Firmware("FFFF", null, null);
  const QJsonObject demo = Firmware("00AB", "Demo", "2.07");
  const struct {
    QStringList args;
    int exitCode;
    QJsonObject fields;  // the document must hold these exactly
  } rows[] = {
      {{"identify"}, 0, {{"firmware_before", blank}, {"firmware_after", blank}}},
      {{"flash", "new.bin"},
       0,
       {{"firmware_before", blank},
        {"firmware_after", demo},
        {"image_code", "00AB"},
        {"differences", QJsonArray()}}},
      {{"verify", "--fast", "new.bin"}, 0, {{"verify", "fast"}, {"differences", QJsonArray()}}},
      {{"verify", "other.bin"},
       1,
       {{"verify", "full"},
        {"differences", QJsonArray{QJsonObject{{"bank", 0}, {"block", 5}}}},
        {"exit_meaning", "failed"}}},
      {{"read", "back.bin"}, 0, {{"file", "back.bin"}, {"file_bytes", 262144}}},
      {{"identify", "--port", "COM9"}, 1, {{"port", "COM9"}, {"result", "failed"}}},
      // Bad usage: the command's own checks, the option parser's, an unknown command.
      {{"identify", "--port", "COM99"}, 2, {{"exit_meaning", "bad usage or input"}}},
      {{"identify", "--prot", "COM1"}, 2, {}},
      {{"idnetify"}, 2, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.join(' ').toStdString());
    QStringList args = row.args;
    args << "--json";
    if (!args.contains("--port"))
      args << "--port"
           << "COM1";
    const CliResult r = f.Run(args);
    EXPECT_EQ(r.exitCode, row.exitCode) << Explain(r).toStdString();
    const QJsonObject doc = Document(r);
    EXPECT_EQ(doc.value("command").toString(), row.args.first());
    EXPECT_EQ(doc.value("exit_code").toInt(), row.exitCode);
    EXPECT_EQ(doc.value("result").toString(), row.exitCode == 0   ? "ok"
                                              : row.exitCode == 1 ? "failed"
                                                                  : "bad usage or input");
    EXPECT_EQ(doc.value("message").isNull(), row.exitCode == 0);
    EXPECT_GE(doc.value("seconds").toDouble(-1), 0);
    EXPECT_EQ(doc.value("bytes_sent").toInt() > 0,
              row.exitCode != 2 && !row.args.contains("--port"));
    for (auto it = row.fields.begin(); it != row.fields.end(); ++it)
      EXPECT_EQ(doc.value(it.key()), it.value()) << it.key().toStdString();
  }
}

TEST(CliOutput, VerboseShowsTheExchangeAndQuietShowsNoProgress) {
  CliFixture f;
  f.WriteFile("new.bin", MakeImage({0, 1, 2}, kCode));
  f.StartSim();
  const CliResult verbose = f.Run({"identify", "-v", "--port", "COM1"});
  ASSERT_EQ(verbose.exitCode, 0) << Explain(verbose).toStdString();
  const QStringList lines = verbose.err.split('\n');
  EXPECT_TRUE(lines.contains("> @@100XXXXXX")) << verbose.err.toStdString();
  EXPECT_TRUE(lines.contains("< #"));
  // The 95-character identity reply is abbreviated, and its length said.
  EXPECT_TRUE(
      verbose.err.contains(QRegularExpression("\n< .{16}\\.\\.\\..{8}#  \\(95 characters\\)\n")))
      << verbose.err.toStdString();

  const CliResult flashV = f.Run({"flash", "--yes", "--verbose", "--port", "COM1", "new.bin"});
  ASSERT_EQ(flashV.exitCode, 0) << Explain(flashV).toStdString();
  EXPECT_TRUE(flashV.err.contains("> @@2000003XX\n")) << flashV.err.toStdString();
  EXPECT_EQ(flashV.err.count("> 256 data bytes: "), 4);  // with the signature block

  const CliResult quiet = f.Run({"flash", "--yes", "-q", "--port", "COM1", "new.bin"});
  ASSERT_EQ(quiet.exitCode, 0) << Explain(quiet).toStdString();
  EXPECT_FALSE(quiet.err.contains("%")) << quiet.err.toStdString();
  EXPECT_TRUE(quiet.out.contains("Code: 00AB"));
}

TEST(CliOutput, VerboseRepliesReachTheTerminalEscaped) {
  CliFixture f;
  // A hand control (or noise) answering the identity query with a terminal escape and a
  // right-to-left override.
  f.WriteFile("hostile.trace",
              "1796823681.174873 > 40 40 31 30 30 58 58 58 58 58 58  |@@100XXXXXX|\n"
              "1796823681.175433 < 23  |#|\n"
              "1796823681.175654 > 40 40 33 58 58 58 58 58 58 58 58  |@@3XXXXXXXX|\n"
              "1796823681.175900 < 1B 5B 32 4A E2 80 AE 41 23  |.[2J...A#|\n");
  f.StartReplay(f.Path("hostile.trace"));
  const CliResult r = f.Run({"identify", "-v", "--port", "COM1"});
  EXPECT_TRUE(r.err.contains("< \\x1B[2J\\u202EA#\n")) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains('\x1b')) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains(QChar(0x202E))) << r.err.toStdString();
}

// The bytes of one direction in a trace, after checking every line's form and time order.
QByteArray TracedBytes(const QByteArray& trace, char direction) {
  static const QRegularExpression line(
      "^(\\d{10,}\\.\\d{6}) ([<>])((?: [0-9A-F]{2}){1,16})  \\|([ -~]{1,16})\\|$");
  QByteArray bytes;
  double last = 0;
  for (const QByteArray& raw : trace.split('\n')) {
    if (raw.isEmpty() || raw.startsWith('#')) continue;
    const QRegularExpressionMatch m = line.match(QString::fromLatin1(raw));
    EXPECT_TRUE(m.hasMatch()) << raw.toStdString();
    if (!m.hasMatch()) continue;
    EXPECT_GE(m.captured(1).toDouble(), last) << raw.toStdString();
    last = m.captured(1).toDouble();
    if (m.captured(2) != QString(direction)) continue;
    const QByteArray hex = m.captured(3).remove(' ').toLatin1();
    EXPECT_EQ(hex.size() / 2, m.captured(4).size()) << raw.toStdString();
    bytes += QByteArray::fromHex(hex);
  }
  return bytes;
}

TEST(CliTrace, BothEndsRecordTheSameBytesInTheDocumentedFormat) {
  CliFixture f;
  f.WriteFile("new.bin", MakeImage({0, 300, 512 + 1}, kCode));
  f.StartSim({"--trace", f.Path("sim.trace")});
  const CliResult r =
      f.Run({"flash", "--yes", "--trace", f.Path("cli.trace"), "--port", "COM1", "new.bin"});
  ASSERT_EQ(r.exitCode, 0) << Explain(r).toStdString();
  f.StopSim();
  const QByteArray cli = f.ReadFile("cli.trace");
  const QByteArray sim = f.ReadFile("sim.trace");
  ASSERT_TRUE(cli.startsWith("# serial trace written by padflasher-cli"))
      << cli.left(200).toStdString();
  ASSERT_TRUE(sim.startsWith("# serial trace written by hcsim"));
  const QByteArray sent = TracedBytes(cli, '>');
  EXPECT_TRUE(sent.startsWith("@@100XXXXXX@@5XXXXXXXX@@101XXXXXX@@2000001XX"));
  EXPECT_EQ(TracedBytes(sim, '>'), sent);
  EXPECT_EQ(TracedBytes(sim, '<'), TracedBytes(cli, '<'));
  EXPECT_TRUE(TracedBytes(cli, '<').startsWith("##"));

  const CliResult unwritable =
      f.Run({"identify", "--trace", f.Path("no-such-folder/t.trace"), "--port", "COM1"});
  EXPECT_EQ(unwritable.exitCode, 2);
  EXPECT_TRUE(unwritable.err.contains("cannot write the trace"));
}

}  // namespace
