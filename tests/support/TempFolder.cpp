#include "TempFolder.h"

#include <QFile>

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

void ResetDebugLog() {
  CloseDebugLog();
  SetDebugEnabled(false);
  SetDebugLogFolder({});
  SetDebugLogClock({});
}

CurrentFolder::CurrentFolder() : temp_(std::make_unique<QTemporaryDir>()) {
  EXPECT_TRUE(temp_->isValid());
  path_ = temp_->path();
  previous_ = QDir::currentPath();
  EXPECT_TRUE(QDir::setCurrent(path_)) << path_.toStdString();
}

CurrentFolder::CurrentFolder(const QString& folder) : path_(folder) {
  previous_ = QDir::currentPath();
  EXPECT_TRUE(QDir::setCurrent(path_)) << path_.toStdString();
}

CurrentFolder::~CurrentFolder() {
  QDir::setCurrent(previous_);
}

CapturedLog::CapturedLog() {
  OpenDebugLog();
}

CapturedLog::CapturedLog(const QString& folder) : folder_(folder) {
  OpenDebugLog();
}

CapturedLog::~CapturedLog() {
  ResetDebugLog();
}

QByteArray CapturedLog::Bytes() const {
  QFile file(folder_.FilePath("debugexe.txt"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> CapturedLog::Messages() const {
  std::vector<std::string> lines;
  for (const QByteArray& line : Bytes().split('\n')) {
    const auto colon = line.indexOf(": ");
    if (colon >= 0) lines.push_back(line.mid(colon + 2).trimmed().toStdString());
  }
  return lines;
}

void TempFolderTest::SetUp() {
  ResetDebugLog();
  folder_ = std::make_unique<CurrentFolder>();
}

void TempFolderTest::TearDown() {
  ResetDebugLog();
  folder_.reset();
}

std::string TempFolderTest::Path(const std::string& name) const {
  return Folder() + "/" + name;
}
