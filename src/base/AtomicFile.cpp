#include "base/AtomicFile.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/DebugLog.h"
#include "base/TextUtil.h"

namespace {
bool Fail(const std::string& fileName, const QString& why, std::string* reason) {
  DebugLog("Cannot write " + fileName + ": " + why.toStdString());
  if (reason) *reason = why.toStdString();
  return false;
}

// Delayed allocation can hold back ENOSPC or EIO until the data reaches the disk, so the
// temporary file is synced before it may replace the old one. A file system that cannot sync
// (EINVAL, EROFS on some special mounts) is not a failure of this write.
bool SyncToDisk(QSaveFile& file, QString& why) {
#ifdef Q_OS_UNIX
  if (::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS) return true;
  why = QString::fromLocal8Bit(std::strerror(errno));
  return false;
#else
  (void)file;
  (void)why;
  return true;
#endif
}

// Unbuffered and in a loop: a short write is followed by one that fails with the system's
// reason (EFBIG, ENOSPC), which a single call would report only as a short count.
bool WriteAll(QSaveFile& file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const qint64 n = file.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}
}  // namespace

bool WriteFileAtomically(const std::string& fileName, const std::string& bytes,
                         std::string* reason) {
  const QFileInfo target(FilePath(fileName));
  if (target.exists() && !target.isFile()) {
    return Fail(fileName,
                target.isDir() ? QStringLiteral("it is a folder")
                               : QStringLiteral("it is not a regular file"),
                reason);
  }
  QSaveFile file(FilePath(fileName));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return Fail(fileName, file.errorString(), reason);
  // Through Qt's buffer a small write would only show a full disk at the flush inside commit(),
  // which renames the short file into place regardless; so nothing is buffered, and the flush
  // and the sync are checked before the rename.
  bool written = WriteAll(file, bytes);
  if (written) written = file.flush();
  QString why = written ? QString() : file.errorString();
  if (written) written = SyncToDisk(file, why);
  if (!written) {
    file.cancelWriting();
    return Fail(fileName, why.isEmpty() ? QStringLiteral("write failed") : why, reason);
  }
  if (!file.commit()) return Fail(fileName, file.errorString(), reason);
  return true;
}

namespace {
ReadResult Refuse(ReadResult result, const std::string& why, std::string& bytes,
                  std::string* reason) {
  bytes.clear();
  if (reason) *reason = why;
  return result;
}
}  // namespace

ReadResult ReadWholeFile(const std::string& fileName, int64_t maxBytes, std::string& bytes,
                         std::string* reason) {
  bytes.clear();
  const QFileInfo info(FilePath(fileName));
  if (!info.exists()) return Refuse(ReadResult::Missing, "does not exist", bytes, reason);
  // Looked at before opening: opening a serial device can already reset what hangs on it.
  if (info.isDir()) return Refuse(ReadResult::NotRegular, "is a folder", bytes, reason);
  if (!info.isFile()) return Refuse(ReadResult::NotRegular, "is not a regular file", bytes, reason);
  const std::string tooLarge = "is larger than " + std::to_string(maxBytes) + " bytes";
  if (info.size() > maxBytes) return Refuse(ReadResult::TooLarge, tooLarge, bytes, reason);
#ifdef Q_OS_UNIX
  // Non-blocking, and checked again once open, in case the name changed hands meanwhile.
  const int fd =
      ::open(QFile::encodeName(FilePath(fileName)).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refuse(ReadResult::Unreadable, std::strerror(errno), bytes, reason);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Refuse(ReadResult::NotRegular, "is not a regular file", bytes, reason);
  }
  // Room for all of it at once: growing by doubling copies it several times, and on some
  // machines every fresh page of a large block costs more than the copy.
  bytes.reserve(static_cast<size_t>(std::min<int64_t>(st.st_size, maxBytes)));
  char buffer[16384];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
    if (static_cast<int64_t>(bytes.size()) + n > maxBytes) {
      ::close(fd);
      return Refuse(ReadResult::TooLarge, tooLarge, bytes, reason);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  const std::string why = n < 0 ? std::strerror(errno) : "";
  ::close(fd);
  if (n < 0) return Refuse(ReadResult::Unreadable, why, bytes, reason);
#else
  QFile file(info.filePath());
  if (!file.open(QIODevice::ReadOnly))
    return Refuse(ReadResult::Unreadable, file.errorString().toStdString(), bytes, reason);
  const QByteArray all = file.read(maxBytes + 1);
  if (all.size() > maxBytes) return Refuse(ReadResult::TooLarge, tooLarge, bytes, reason);
  if (file.error() != QFileDevice::NoError)
    return Refuse(ReadResult::Unreadable, file.errorString().toStdString(), bytes, reason);
  bytes = all.toStdString();
#endif
  return ReadResult::Ok;
}

bool MayWriteUserFile(const std::string& fileName, std::string& reason) {
  struct stat st {};
  if (::lstat(QFile::encodeName(FilePath(fileName)).constData(), &st) != 0) return true;
  if (S_ISLNK(st.st_mode)) {
    reason = "is a symbolic link";
  } else if (S_ISDIR(st.st_mode)) {
    reason = "is a folder";
  } else if (!S_ISREG(st.st_mode)) {
    reason = "is not a regular file";
  } else if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
             ::access(QFile::encodeName(FilePath(fileName)).constData(), W_OK) != 0) {
    // No write bit at all counts even for root, who could write it anyway.
    reason = "is read-only";
  } else {
    return true;
  }
  return false;
}

bool MakeUserFolder(const std::string& folder, std::string& reason) {
  std::filesystem::path built;
  for (const auto& part : std::filesystem::path(folder).lexically_normal()) {
    built /= part;
    if (part.empty() || part == "/") continue;
    if (mkdir(built.c_str(), 0700) == 0 || errno == EEXIST) continue;
    reason = built.string() + ": " + std::strerror(errno);
    return false;
  }
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return true;
  reason = folder + ": not a folder";
  return false;
}
