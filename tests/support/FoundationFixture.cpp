#include "FoundationFixture.h"

#include <QFile>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DebugLogClock.h"

std::string ReadBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll().toStdString();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

QStringList FolderEntries(const std::string& folder) {
  return QDir(QString::fromStdString(folder))
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void FoundationTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  previousDir_ = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  CloseDebugLog();
  SetDebugEnabled(false);
  SetDebugLogClock({});
}

void FoundationTest::TearDown() {
  CloseDebugLog();
  SetDebugEnabled(false);
  SetDebugLogClock({});
  QDir::setCurrent(previousDir_);
}

std::string FoundationTest::Path(const std::string& name) const {
  return Folder() + "/" + name;
}
