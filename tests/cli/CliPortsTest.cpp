// padflasher-cli ports: the list as text and JSON, assigning and unassigning COM names, and the
// forms --port accepts.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CliHarness.h"

namespace {

QString Explain(const CliResult& r) {
  return "stdout:\n" + r.out + "\nstderr:\n" + r.err;
}

QString Pty(const CliFixture& f) {
  return QFileInfo(f.Path("ports/COM1")).canonicalFilePath();
}

TEST(CliPorts, TheSimulatorIsListedUnderItsComNameAsTextAndJson) {
  CliFixture f;
  f.StartSim();
  CliResult text = f.Run({"ports"});
  ASSERT_EQ(text.exitCode, 0) << Explain(text).toStdString();
  EXPECT_TRUE(text.out.split('\n').contains("COM1  " + Pty(f))) << text.out.toStdString();

  CliResult json = f.Run({"ports", "--json"});
  ASSERT_EQ(json.exitCode, 0) << Explain(json).toStdString();
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out.toStdString();
  ASSERT_TRUE(doc.isArray());
  QJsonObject sim;
  for (const QJsonValue& v : doc.array())
    if (v.toObject().value("com").toString() == "COM1") sim = v.toObject();
  EXPECT_EQ(sim.value("device").toString(), Pty(f));
  EXPECT_EQ(sim.value("link").toString(), f.Path("ports/COM1"));
  for (const char* key : {"by_id", "description", "manufacturer", "vid", "pid", "serial"}) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(sim.contains(key) && sim.value(key).isNull());
  }
}

TEST(CliPorts, AssignLinksAComNameThatTheOtherCommandsUseAndUnassignRemovesIt) {
  CliFixture f;
  f.StartSim();
  const QString pty = Pty(f);
  CliResult assign = f.Run({"ports", "assign", "com4", pty});
  ASSERT_EQ(assign.exitCode, 0) << Explain(assign).toStdString();
  EXPECT_EQ(QFileInfo(f.Path("ports/COM4")).symLinkTarget(), pty);

  struct Use {
    QString port;
    int exitCode;
  };
  const Use uses[] = {{"COM4", 0}, {"com1", 0}, {pty, 0}, {"ports/COM1", 0}, {"COM17", 2}};
  for (const Use& use : uses) {
    SCOPED_TRACE(use.port.toStdString());
    CliResult r = f.Run({"identify", "--port", use.port});
    EXPECT_EQ(r.exitCode, use.exitCode) << Explain(r).toStdString();
  }

  // Reassigning replaces the link; unassigning removes it, in any letter case.
  ASSERT_EQ(f.Run({"ports", "assign", "COM4", "/dev/null"}).exitCode, 0);
  EXPECT_EQ(QFileInfo(f.Path("ports/COM4")).symLinkTarget(), "/dev/null");
  CliResult un = f.Run({"ports", "unassign", "Com4"});
  EXPECT_EQ(un.exitCode, 0) << Explain(un).toStdString();
  EXPECT_FALSE(QFileInfo(f.Path("ports/COM4")).isSymLink());
  EXPECT_EQ(f.Run({"ports", "unassign", "COM4"}).exitCode, 1);
}

TEST(CliPorts, AssignRefusesBadNamesAndNonDevicesAndKeepsWhatIsThere) {
  CliFixture f;
  f.WriteFile("plain.txt", "not a device");
  ASSERT_EQ(f.Run({"ports", "assign", "COM2", "/dev/null"}).exitCode, 0);
  const QStringList refused[] = {
      {"ports", "assign", "COM17", "/dev/null"},
      {"ports", "assign", "LPT1", "/dev/null"},
      {"ports", "assign", "COM2", f.Path("plain.txt")},
      {"ports", "assign", "COM2", "ttyNOPE9"},
      {"ports", "assign", "COM2", "COM1"},
      {"ports", "unassign", "COM0"},
      {"ports", "assign", "COM2"},
      {"ports", "rename", "COM2", "COM3"},
  };
  for (const QStringList& args : refused) {
    SCOPED_TRACE(args.join(' ').toStdString());
    CliResult r = f.Run(args);
    EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
    EXPECT_FALSE(r.err.isEmpty());
  }
  EXPECT_EQ(QFileInfo(f.Path("ports/COM2")).symLinkTarget(), "/dev/null");
}

}  // namespace
