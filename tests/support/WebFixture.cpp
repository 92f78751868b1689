#include "WebFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTest>

#include "startup/Settings.h"
#include "startup/Startup.h"

void WebFixture::SetUp() {
  ASSERT_TRUE(programDir_.isValid() && siteDir_.isValid());
  QDir(siteDir_.path()).mkpath("updates");
  SetProgramPaths(programDir_.path().toStdString(), "PadFlasher");
  site_ = std::make_unique<TestSite>(siteDir_.path());
  ASSERT_TRUE(site_->Listen());
  UseSite();
}

void WebFixture::TearDown() {
  EXPECT_EQ(host_.unexpected, 0) << "questions beyond the script";
  site_.reset();
}

void WebFixture::UseSite(const std::string& catalogue) {
  gDefaultURL = DefaultURL();
  gURL = "127.0.0.1:" + std::to_string(site_->Port()) + "/updates/" + catalogue;
  SplitSettingsURL();
}

void WebFixture::SiteFile(const std::string& name, const QByteArray& bytes) {
  QFile file(siteDir_.filePath(QString::fromStdString("updates/" + name)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

void WebFixture::ProgramFileBytes(const std::string& name, const QByteArray& bytes) {
  QFile file(QString::fromStdString(InProgram(name)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

std::string WebFixture::InProgram(const std::string& name) const {
  return programDir_.path().toStdString() + "/" + name;
}

bool WebFixture::ProgramHas(const std::string& name) const {
  return QFileInfo::exists(QString::fromStdString(InProgram(name)));
}

QByteArray WebFixture::ProgramRead(const std::string& name) const {
  QFile file(QString::fromStdString(InProgram(name)));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string WebFixture::WrittenAt(const std::string& name) const {
  return QFileInfo(QString::fromStdString(InProgram(name)))
      .lastModified()
      .toLocalTime()
      .toString("yyyy-MM-dd hh:mm")
      .toStdString();
}

void WebFixture::SetDate(const std::string& name, const std::string& date) {
  QFile file(QString::fromStdString(InProgram(name)));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QDateTime at(QDate::fromString(QString::fromStdString(date), "yyyy-MM-dd"), QTime(0, 0));
  ASSERT_TRUE(file.setFileTime(at, QFileDevice::FileModificationTime));
}

QByteArray WebFixture::LogWhile(const std::function<void()>& action) {
  CapturedLog log(programDir_.path());
  action();
  return log.Bytes();
}

int WebFixture::ClosedPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();  // closed again when probe goes
}

CliRun WebFixture::Cli(QStringList args, const QString& folder,
                       const std::function<void()>& inChild) {
  const QString cli = QString(PADFLASHER_BIN_DIR) + "/padflasher-cli";
  QProcess process;
  if (inChild) process.setChildProcessModifier(inChild);
  process.start(cli, args << "--folder" << (folder.isEmpty() ? programDir_.path() : folder));
  EXPECT_TRUE(process.waitForStarted()) << cli.toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000));
  if (process.state() != QProcess::NotRunning) {
    process.kill();
    process.waitForFinished();
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

void WebFixture::PointAt(const QString& folder) {
  QFile file(folder + "/PadFlasher.ini");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::fromStdString("[PADFLASHER]\r\nURL = " + gURL + "\r\n"));
}

QByteArray Image(char seed) {
  const auto image =
      testimage::MakeImage({{0, testimage::kBlockCount - 1}}, {}, static_cast<uint8_t>(seed));
  return QByteArray::fromStdString(*image);
}
