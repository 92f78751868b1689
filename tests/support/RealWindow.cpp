#include "RealWindow.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "programmer/Image.h"

namespace {
const QString kBin = PADFLASHER_BIN_DIR;
}

void RealWindowTest::TearDown() {
  for (QProcess* process : {&program, &sim, &site}) {
    if (process->state() != QProcess::NotRunning) {
      process->terminate();
      if (!process->waitForFinished(5000)) process->kill();
      process->waitForFinished(5000);
    }
  }
  PagesTest::TearDown();
}

bool RealWindowTest::MissingTools() {
  if (!XSession::MissingTool().isEmpty()) return true;
  return !QFile::exists(kBin + "/PadFlasher") || !QFile::exists(kBin + "/hcsim");
}

bool RealWindowTest::StartDisplay() {
  return x.Start();
}

void RealWindowTest::StartProgram() {
  ASSERT_TRUE(QFile::copy(kBin + "/PadFlasher", FilePath("PadFlasher")));
  QFile::setPermissions(FilePath("PadFlasher"), QFile::ReadOwner | QFile::ExeOwner);
  // A portable copy carries its catalogues beside it.
  for (const QString& catalogue : QDir(kBin).entryList({"padflasher_*.qm"}))
    QFile::copy(kBin + "/" + catalogue, FilePath(catalogue));
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(FolderPath());
  program.start(FilePath("PadFlasher"), {});
  ASSERT_TRUE(program.waitForStarted());
}

bool RealWindowTest::WaitFor(const std::function<bool()>& condition, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (condition()) return true;
    QThread::msleep(50);
  }
  return condition();
}
