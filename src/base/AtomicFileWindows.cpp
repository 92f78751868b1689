#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/AtomicFilePlatform.h"

namespace file_platform {

bool SyncToDisk(int, std::string&) {
  // QSaveFile's commit flushes the file's buffers before it renames.
  return true;
}

ReadResult ReadRegularFile(const std::string& path, int64_t maxBytes, std::string& bytes,
                           std::string& why) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    why = file.errorString().toStdString();
    return ReadResult::Unreadable;
  }
  const QByteArray all = file.read(maxBytes + 1);
  if (all.size() > maxBytes) return ReadResult::TooLarge;
  if (file.error() != QFileDevice::NoError) {
    why = file.errorString().toStdString();
    return ReadResult::Unreadable;
  }
  bytes = all.toStdString();
  return ReadResult::Ok;
}

bool MayReplace(const std::string& path, std::string& reason) {
  const QFileInfo info(QString::fromStdString(path));
  if (!info.exists() && !info.isSymLink()) return true;
  if (info.isSymLink()) {
    reason = "is a symbolic link";
  } else if (info.isDir()) {
    reason = "is a folder";
  } else if (!info.isFile()) {
    reason = "is not a regular file";
  } else if (!info.isWritable()) {
    reason = "is read-only";
  } else {
    return true;
  }
  return false;
}

bool MakeFolder(const std::string& path, std::string& why) {
  if (QDir().mkdir(QString::fromStdString(path)) || QDir(QString::fromStdString(path)).exists())
    return true;
  why = "cannot be made";
  return false;
}

}  // namespace file_platform
