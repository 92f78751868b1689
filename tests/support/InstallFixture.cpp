#include "InstallFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Every entry below root: its size, permissions and last-write time, so a change shows.
std::map<QString, QString> Snapshot(const QString& root) {
  std::map<QString, QString> entries;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    entries[info.filePath()] = QString("%1 %2 %3")
                                   .arg(info.size())
                                   .arg(int(info.permissions()), 0, 16)
                                   .arg(info.lastModified().toMSecsSinceEpoch());
  }
  return entries;
}

}  // namespace

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(10000)) process.kill();
  process.waitForFinished(5000);
}

void InstallTest::SetUpTestSuite() {
  root_ = std::make_unique<QTemporaryDir>();
  QProcess install;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DESTDIR", root_->filePath("dest"));
  install.setProcessEnvironment(env);
  install.setProcessChannelMode(QProcess::MergedChannels);
  install.start(QStandardPaths::findExecutable("cmake"),
                {"--install", QString(PADFLASHER_BIN_DIR) + "/..", "--prefix", "/usr"});
  installed_ = install.waitForFinished(120000) && install.exitStatus() == QProcess::NormalExit &&
               install.exitCode() == 0;
  installLog_ = install.readAll();
}

void InstallTest::TearDownTestSuite() {
  root_.reset();
}

void InstallTest::SetUp() {
  ASSERT_TRUE(installed_) << "cmake --install failed:\n" << installLog_.toStdString();
  ASSERT_TRUE(home_.isValid() && work_.isValid());
  env_.insert("HOME", home_.path());
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) env_.remove(name);
  before_ = Snapshot(Prefix());
}

void InstallTest::TearDown() {
  Stop(sim_);
  EXPECT_TRUE(Snapshot(Prefix()) == before_) << "something below the prefix changed";
}

QString InstallTest::Prefix() {
  return root_->filePath("dest/usr");
}

QString InstallTest::Bin(const QString& program) {
  return Prefix() + "/bin/" + program;
}

bool InstallTest::StartSimulator(const QString& link) {
  sim_.start(Bin("padflasher-hcsim"), {"--link", link, "--baud", "0"});
  if (!sim_.waitForReadyRead(10000)) return false;
  pty_ = QString::fromLocal8Bit(sim_.readLine()).trimmed();
  return !pty_.isEmpty();
}

int InstallTest::Run(const QString& program, const QStringList& args, QString* out, QString* err) {
  QProcess process;
  process.setProcessEnvironment(env_);
  process.setWorkingDirectory(work_.path());
  process.start(program.startsWith('/') ? program : Bin(program), args);
  if (!process.waitForFinished(60000)) {
    Stop(process);
    return -1;
  }
  if (out) *out = QString::fromLocal8Bit(process.readAllStandardOutput());
  if (err) *err = QString::fromLocal8Bit(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
