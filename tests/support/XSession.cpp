#include "XSession.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QThread>

XSession::~XSession() {
  if (xvfb_.state() != QProcess::NotRunning) {
    xvfb_.terminate();
    if (!xvfb_.waitForFinished(5000)) xvfb_.kill();
    xvfb_.waitForFinished(5000);
  }
}

QString XSession::MissingTool() {
  for (const char* tool : {"Xvfb", "xdotool"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) return tool;
  }
  return {};
}

bool XSession::Start() {
  xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  if (!xvfb_.waitForStarted()) return false;
  QByteArray number;
  while (!number.endsWith('\n') && xvfb_.waitForReadyRead(10000)) number += xvfb_.readAll();
  if (number.trimmed().isEmpty()) return false;
  env_.insert("DISPLAY", ":" + QString::fromLatin1(number.trimmed()));
  env_.remove("QT_QPA_PLATFORM");
  // The session bus library keeps a buffer to the end of a window program; not a leak of ours.
  QFile suppressions(dir_.filePath("lsan.supp"));
  if (!suppressions.open(QIODevice::WriteOnly) || suppressions.write("leak:libdbus-1.so\n") < 0) {
    return false;
  }
  env_.insert("LSAN_OPTIONS", "suppressions=" + suppressions.fileName());
  for (int i = 0; i < 100; ++i) {
    QProcess probe;
    probe.setProcessEnvironment(env_);
    probe.start("xdotool", {"getmouselocation"});
    if (probe.waitForFinished(2000) && probe.exitCode() == 0) return true;
    QThread::msleep(100);
  }
  return false;
}

QString XSession::Xdo(const QStringList& args, int timeoutMs) {
  QProcess xdo;
  xdo.setProcessEnvironment(env_);
  xdo.start("xdotool", args);
  if (!xdo.waitForFinished(timeoutMs)) {
    xdo.kill();
    xdo.waitForFinished();
    ADD_FAILURE() << "xdotool " << args.join(' ').toStdString() << " did not finish";
    return {};
  }
  return QString::fromLocal8Bit(xdo.readAllStandardOutput()).trimmed().section('\n', 0, 0);
}

QString XSession::Window(const QString& title) {
  const QString id = Xdo({"search", "--sync", "--onlyvisible", "--name", title});
  EXPECT_FALSE(id.isEmpty()) << "no window " << title.toStdString();
  return id;
}

bool XSession::Showing(const QString& title) {
  return !Xdo({"search", "--onlyvisible", "--name", title}).isEmpty();
}

void XSession::Key(const QString& window, const QString& key, int pauseMs) {
  Xdo({"windowfocus", "--sync", window, "key", key});
  QThread::msleep(pauseMs);
}

void XSession::AltKey(const QString& window, const QString& key, int pauseMs) {
  Xdo({"windowfocus", "--sync", window, "keydown", "Alt_L", "key", key, "keyup", "Alt_L"});
  QThread::msleep(pauseMs);
}

void XSession::ClickAt(const QString& window, int x, int y, int pauseMs) {
  Xdo({"mousemove", "--sync", "--window", window, QString::number(x), QString::number(y), "click",
       "1"});
  QThread::msleep(pauseMs);
}
