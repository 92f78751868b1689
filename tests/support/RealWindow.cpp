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
  ASSERT_TRUE(QFile::copy(kBin + "/PadFlasher", dir.filePath("PadFlasher")));
  QFile::setPermissions(dir.filePath("PadFlasher"), QFile::ReadOwner | QFile::ExeOwner);
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(dir.path());
  program.start(dir.filePath("PadFlasher"), {});
  ASSERT_TRUE(program.waitForStarted());
}
