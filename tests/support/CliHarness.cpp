#include "CliHarness.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// A CLI run against an unpaced simulator takes seconds; this only guards against a hang.
constexpr int kRunLimitMs = 120000;

}  // namespace

QString BinPath(const QString& program) {
  return QString(PADFLASHER_BIN_DIR) + "/" + program;
}

QByteArray MakeImageOfBlocks(const std::vector<int>& fileBlocks, uint16_t code, unsigned seed) {
  std::vector<testimage::BlockRange> filled;
  for (int block : fileBlocks) filled.push_back({block, block});
  const auto image = testimage::MakeImage(filled, code, seed);
  EXPECT_TRUE(image) << "a block outside the image";
  return image ? QByteArray::fromStdString(*image) : QByteArray();
}

QByteArray MakeImage(std::initializer_list<int> fileBlocks, uint16_t code, unsigned seed) {
  return MakeImageOfBlocks(std::vector<int>(fileBlocks), code, seed);
}

CliFixture::CliFixture() {
  EXPECT_TRUE(dir_.isValid());
  QDir(dir_.path()).mkdir("ports");
}

CliFixture::~CliFixture() {
  StopSim();
}

void CliFixture::WriteFile(const QString& name, const QByteArray& data) const {
  QFile file(Path(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

QByteArray CliFixture::ReadFile(const QString& name) const {
  QFile file(Path(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void CliFixture::ListVersion(const QString& code, const QString& type, int major, int minor) const {
  WriteFile("PadFlasher.ver", QString("[VERSIONS]\r\n   Version         = A,%1,%2,%3,%4\r\n")
                                  .arg(type, code)
                                  .arg(major)
                                  .arg(minor, 2, 10, QChar('0'))
                                  .toLatin1());
}

void CliFixture::StartSim(const QStringList& extra, int baud) {
  StartSimAt("COM1", "flash.bin", extra, baud);
}

void CliFixture::StartSimAt(const QString& com, const QString& flashFile, const QStringList& extra,
                            int baud) {
  LaunchSim(com, QStringList{"--flash", Path(flashFile), "--baud", QString::number(baud)} + extra);
}

void CliFixture::StartReplay(const QString& trace) {
  LaunchSim("COM1", {"--replay", trace, "--baud", "0"});
}

void CliFixture::LaunchSim(const QString& com, const QStringList& args) {
  auto sim = std::make_unique<QProcess>();
  QProcess& started = *sim;
  sims_.push_back(std::move(sim));
  started.start(BinPath("hcsim"), QStringList{"--link", Path("ports/" + com), "--verbose"} + args);
  ASSERT_TRUE(started.waitForStarted()) << "hcsim did not start";
  // hcsim prints the pty's path once the link is in place.
  while (!started.canReadLine())
    ASSERT_TRUE(started.waitForReadyRead(10000)) << "hcsim said nothing";
  ASSERT_TRUE(QFileInfo::exists(Path("ports/" + com)));
}

QString CliFixture::StopSim() {
  QString log;
  for (auto& sim : sims_) {
    if (sim->state() != QProcess::NotRunning) {
      sim->terminate();
      if (!sim->waitForFinished(10000)) sim->kill();
    }
    log += QString::fromLocal8Bit(sim->readAllStandardError());
  }
  sims_.clear();
  return log;
}

CliResult CliFixture::Interrupt(const QStringList& args, const QString& shown) {
  return InterruptWhenAll(args, {QRegularExpression::escape(shown)});
}

CliResult CliFixture::InterruptWhenAll(const QStringList& args, const QStringList& patterns) {
  auto allShown = [&](const QString& err) {
    return std::all_of(patterns.begin(), patterns.end(),
                       [&](const QString& p) { return err.contains(QRegularExpression(p)); });
  };
  QProcess cli;
  cli.setWorkingDirectory(dir_.path());
  cli.setStandardInputFile(QProcess::nullDevice());
  cli.start(BinPath("padflasher-cli"), args + QStringList{"--folder", dir_.path()});
  cli.waitForStarted();
  cli.setReadChannel(QProcess::StandardError);  // what waitForReadyRead waits for
  CliResult result;
  while (!allShown(result.err) && cli.state() == QProcess::Running) {
    cli.waitForReadyRead(30000);
    result.err += QString::fromLocal8Bit(cli.readAllStandardError());
  }
  if (cli.state() == QProcess::Running) {
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
  } else {
    ADD_FAILURE() << "ended before showing " << patterns.join(", ").toStdString();
  }
  if (!cli.waitForFinished(60000)) cli.kill();
  result.err += QString::fromLocal8Bit(cli.readAllStandardError());
  result.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
  result.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  return result;
}

CliResult CliFixture::Run(const QStringList& args, const QString& workDir) {
  QProcess process;
  process.setWorkingDirectory(workDir.isEmpty() ? dir_.path() : workDir);
  process.setStandardInputFile(QProcess::nullDevice());
  QStringList full = args;
  if (!args.isEmpty() && !args.contains("--folder")) full << "--folder" << dir_.path();
  process.start(BinPath("padflasher-cli"), full);
  CliResult result;
  if (!process.waitForFinished(kRunLimitMs)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "padflasher-cli " << args.join(' ').toStdString() << " did not finish";
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  result.err = QString::fromLocal8Bit(process.readAllStandardError());
  return result;
}

QString Explain(const CliResult& r) {
  return "stdout:\n" + r.out + "\nstderr:\n" + r.err;
}
