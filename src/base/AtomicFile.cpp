#include "base/AtomicFile.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

#include <QSaveFile>

#include <QFile>
#include <QFileInfo>

#include "base/AtomicFilePlatform.h"
#include "base/DebugLog.h"
#include "base/TextUtil.h"

namespace {
bool Fail(const std::string& fileName, const QString& why, std::string* reason) {
  DebugLog("Cannot write " + fileName + ": " + why.toStdString());
  if (reason) *reason = why.toStdString();
  return false;
}

// Delayed allocation can hold back ENOSPC or EIO until the data reaches the disk, so the
// temporary file is synced before it may replace the old one.
bool SyncToDisk(QSaveFile& file, QString& why) {
  std::string reason;
  if (file_platform::SyncToDisk(file.handle(), reason)) return true;
  why = QString::fromLocal8Bit(reason.c_str());
  return false;
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
  // The name's own bytes, not a QString: Qt cannot name a file whose name is not valid UTF-8.
  namespace fs = std::filesystem;
  const fs::path path(fileName);
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found)
    return Refuse(ReadResult::Missing, "does not exist", bytes, reason);
  if (status.type() == fs::file_type::none)
    return Refuse(ReadResult::Unreadable, error.message(), bytes, reason);
  // Looked at before opening: opening a serial device can already reset what hangs on it.
  if (fs::is_directory(status)) return Refuse(ReadResult::NotRegular, "is a folder", bytes, reason);
  if (!fs::is_regular_file(status))
    return Refuse(ReadResult::NotRegular, "is not a regular file", bytes, reason);
  const std::string tooLarge = "is larger than " + std::to_string(maxBytes) + " bytes";
  const uintmax_t size = fs::file_size(path, error);
  if (!error && size > static_cast<uintmax_t>(maxBytes))
    return Refuse(ReadResult::TooLarge, tooLarge, bytes, reason);
  std::string why;
  const ReadResult read = file_platform::ReadRegularFile(fileName, maxBytes, bytes, why);
  if (read == ReadResult::TooLarge) return Refuse(read, tooLarge, bytes, reason);
  if (read != ReadResult::Ok) return Refuse(read, why, bytes, reason);
  return ReadResult::Ok;
}

bool MayWriteUserFile(const std::string& fileName, std::string& reason) {
  return file_platform::MayReplace(QFile::encodeName(FilePath(fileName)).toStdString(), reason);
}

bool MakeUserFolder(const std::string& folder, std::string& reason) {
  std::filesystem::path built;
  for (const auto& part : std::filesystem::path(folder).lexically_normal()) {
    built /= part;
    if (part.empty() || part == "/") continue;
    std::string why;
    if (file_platform::MakeFolder(built.string(), why)) continue;
    reason = built.string() + ": " + why;
    return false;
  }
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return true;
  reason = folder + ": not a folder";
  return false;
}
