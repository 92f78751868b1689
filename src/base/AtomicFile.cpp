#include "base/AtomicFile.h"

#include <QSaveFile>

#include "base/DebugLog.h"
#include "base/TextUtil.h"

namespace {
AtomicWriteHook gWriteHook;

bool Fail(const std::string& fileName, const QString& why, std::string* reason) {
  DebugLog("Cannot write " + fileName + ": " + why.toStdString());
  if (reason) *reason = why.toStdString();
  return false;
}
}  // namespace

void SetAtomicWriteHook(AtomicWriteHook hook) {
  gWriteHook = std::move(hook);
}

bool WriteFileAtomically(const std::string& fileName, const std::string& bytes,
                         std::string* reason) {
  QSaveFile file(FilePath(fileName));
  if (!file.open(QIODevice::WriteOnly)) return Fail(fileName, file.errorString(), reason);
  const bool written = gWriteHook ? gWriteHook(file, bytes)
                                  : file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                        static_cast<qint64>(bytes.size());
  if (!written) {
    const QString why = file.errorString();
    file.cancelWriting();
    return Fail(fileName, why.isEmpty() ? QStringLiteral("write failed") : why, reason);
  }
  if (!file.commit()) return Fail(fileName, file.errorString(), reason);
  return true;
}
