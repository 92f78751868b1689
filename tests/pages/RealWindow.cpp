#include "RealWindow.h"

#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "programmer/Image.h"

namespace {
const QString kBin = PADFLASHER_BIN_DIR;
}

void ThinOut(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), kImageSize);
  for (int i = 0; i < kImageSize; ++i) {
    const int block = (i % kBankSize) / kBlockSize;
    if (block % 32 >= 2 && i / kBlockSize != 0xFFE0 / kBlockSize) bytes[i] = char(0xFF);
  }
  ASSERT_TRUE(file.seek(0));
  ASSERT_EQ(file.write(bytes), kImageSize);
}

void RealWindowTest::TearDown() {
  for (QProcess* process : {&program, &sim, &site, &xvfb}) {
    if (process->state() != QProcess::NotRunning) {
      process->terminate();
      if (!process->waitForFinished(5000)) process->kill();
      process->waitForFinished(5000);
    }
  }
  PagesTest::TearDown();
}

bool RealWindowTest::MissingTools() {
  for (const char* tool : {"Xvfb", "xdotool"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) return true;
  }
  return !QFile::exists(kBin + "/PadFlasher") || !QFile::exists(kBin + "/hcsim");
}

QString RealWindowTest::Xdo(const QStringList& args, int timeoutMs) {
  QProcess xdo;
  xdo.setProcessEnvironment(env);
  xdo.start("xdotool", args);
  if (!xdo.waitForFinished(timeoutMs)) {
    xdo.kill();
    xdo.waitForFinished();
    ADD_FAILURE() << "xdotool " << args.join(' ').toStdString() << " did not finish";
    return {};
  }
  return QString::fromLocal8Bit(xdo.readAllStandardOutput()).trimmed().section('\n', 0, 0);
}

QString RealWindowTest::Window(const QString& title) {
  const QString id = Xdo({"search", "--sync", "--onlyvisible", "--name", title});
  EXPECT_FALSE(id.isEmpty()) << "no window " << title.toStdString();
  return id;
}

bool RealWindowTest::Showing(const QString& title) {
  return !Xdo({"search", "--onlyvisible", "--name", title}).isEmpty();
}

void RealWindowTest::Key(const QString& window, const QString& key, int pauseMs) {
  Xdo({"windowfocus", "--sync", window, "key", key});
  QThread::msleep(pauseMs);
}

void RealWindowTest::AltKey(const QString& window, const QString& key, int pauseMs) {
  Xdo({"windowfocus", "--sync", window, "keydown", "Alt_L", "key", key, "keyup", "Alt_L"});
  QThread::msleep(pauseMs);
}

void RealWindowTest::ClickAt(const QString& window, int x, int y, int pauseMs) {
  Xdo({"mousemove", "--sync", "--window", window, QString::number(x), QString::number(y), "click",
       "1"});
  QThread::msleep(pauseMs);
}

bool RealWindowTest::StartDisplay() {
  // Xvfb picks a free display itself and names it: tests that start together never share one.
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  if (!xvfb.waitForStarted()) return false;
  QByteArray number;
  while (!number.endsWith('\n') && xvfb.waitForReadyRead(10000)) number += xvfb.readAll();
  if (number.trimmed().isEmpty()) return false;
  env.insert("DISPLAY", ":" + QString::fromLatin1(number.trimmed()));
  env.remove("QT_QPA_PLATFORM");
  for (int i = 0; i < 100; ++i) {
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start("xdotool", {"getmouselocation"});
    if (probe.waitForFinished(2000) && probe.exitCode() == 0) return true;
    QThread::msleep(100);
  }
  return false;
}

void RealWindowTest::StartProgram() {
  ASSERT_TRUE(QFile::copy(kBin + "/PadFlasher", dir.filePath("PadFlasher")));
  QFile::setPermissions(dir.filePath("PadFlasher"), QFile::ReadOwner | QFile::ExeOwner);
  // Under the address sanitizer: the session bus library keeps a buffer to the end, not ours.
  WriteFile("lsan.supp", "leak:libdbus-1.so\n");
  env.insert("LSAN_OPTIONS", "suppressions=" + dir.filePath("lsan.supp"));
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(dir.path());
  program.start(dir.filePath("PadFlasher"), {});
  ASSERT_TRUE(program.waitForStarted());
}
