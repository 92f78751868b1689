// padflasher-cli ports: the list as text and JSON, assigning and unassigning COM names, and the
// forms --port accepts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CliHarness.h"

namespace {

QString Pty(const CliFixture& f) {
  return QFileInfo(f.Path("ports/COM1")).canonicalFilePath();
}

// A pseudo-terminal of the test's own: a second serial device besides the simulator's.
class OwnPty {
 public:
  OwnPty() : fd_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0) name_ = ::ptsname(fd_);
  }
  ~OwnPty() {
    if (fd_ >= 0) ::close(fd_);
  }
  QString Name() const { return name_; }

 private:
  int fd_;
  QString name_;
};

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
  const OwnPty other;
  ASSERT_FALSE(other.Name().isEmpty());
  ASSERT_EQ(f.Run({"ports", "assign", "COM4", other.Name()}).exitCode, 0);
  EXPECT_EQ(QFileInfo(f.Path("ports/COM4")).symLinkTarget(), other.Name());
  CliResult un = f.Run({"ports", "unassign", "Com4"});
  EXPECT_EQ(un.exitCode, 0) << Explain(un).toStdString();
  EXPECT_FALSE(QFileInfo(f.Path("ports/COM4")).isSymLink());
  EXPECT_EQ(f.Run({"ports", "unassign", "COM4"}).exitCode, 1);
}

TEST(CliPorts, AssignRefusesBadNamesAndNonDevicesAndKeepsWhatIsThere) {
  CliFixture f;
  const OwnPty pty;
  ASSERT_FALSE(pty.Name().isEmpty());
  f.WriteFile("plain.txt", "not a device");
  ASSERT_EQ(f.Run({"ports", "assign", "COM2", pty.Name()}).exitCode, 0);
  struct Case {
    QStringList args;
    QString said;
  };
  const Case refused[] = {
      {{"ports", "assign", "COM17", pty.Name()}, "no port name"},
      {{"ports", "assign", "LPT1", pty.Name()}, "no port name"},
      {{"ports", "assign", "COM2", f.Path("plain.txt")}, "is not a serial device"},
      {{"ports", "assign", "COM2", "ttyNOPE9"}, "does not exist"},
      {{"ports", "assign", "COM2", "COM1"}, "not a COM name"},
      {{"ports", "unassign", "COM0"}, "no port name"},
      {{"ports", "assign", "COM2"}, "usage"},
      {{"ports", "rename", "COM2", "COM3"}, "usage"},
      // Character devices that are no serial line: the protocol would go nowhere, to the
      // user's own terminal, or to a new pseudo-terminal.
      {{"ports", "assign", "COM2", "/dev/null"}, "is not a serial device"},
      {{"ports", "assign", "COM2", "/dev/zero"}, "is not a serial device"},
      {{"ports", "assign", "COM2", "/dev/tty"}, "is a terminal of this computer"},
      {{"ports", "assign", "COM2", "/dev/ptmx"}, "pseudo-terminal multiplexer"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    CliResult r = f.Run(c.args);
    EXPECT_EQ(r.exitCode, 2) << Explain(r).toStdString();
    EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
  }
  EXPECT_EQ(QFileInfo(f.Path("ports/COM2")).symLinkTarget(), pty.Name());
}

TEST(CliPorts, AnEntryOfThePortsFolderThatIsNoLinkIsKeptWhateverItsCase) {
  CliFixture f;
  const OwnPty pty;
  ASSERT_FALSE(pty.Name().isEmpty());
  ASSERT_TRUE(QDir().mkpath(f.Path("ports")));
  for (const char* name : {"COM3", "com3", "Com3"}) {
    SCOPED_TRACE(name);
    const QString entry = QString("ports/") + name;
    f.WriteFile(entry, "my notes on the adapter");
    CliResult r = f.Run({"ports", "assign", "COM3", pty.Name()});
    EXPECT_EQ(r.exitCode, 1) << Explain(r).toStdString();
    EXPECT_TRUE(r.err.contains(f.Path(entry) + " is not a link")) << r.err.toStdString();
    EXPECT_EQ(f.ReadFile(entry), "my notes on the adapter");
    EXPECT_FALSE(QFileInfo::exists(f.Path("ports/.COM3.new")));
    ASSERT_TRUE(QFile::remove(f.Path(entry)));
  }
}

}  // namespace
