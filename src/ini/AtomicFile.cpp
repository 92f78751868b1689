#include "ini/AtomicFile.h"

#include <QSaveFile>

#include "ini/TextUtil.h"
#include "startup/DebugLog.h"

namespace {
AtomicWriteHook gWriteHook;

bool Fail(const std::string& fileName, const QString& reason) {
  DebugLog("Cannot write " + fileName + ": " + reason.toStdString());
  return false;
}
}  // namespace

void SetAtomicWriteHook(AtomicWriteHook hook) {
  gWriteHook = std::move(hook);
}

bool WriteFileAtomically(const std::string& fileName, const std::string& bytes) {
  QSaveFile file(FilePath(fileName));
  if (!file.open(QIODevice::WriteOnly)) return Fail(fileName, file.errorString());
  const bool written = gWriteHook ? gWriteHook(file, bytes)
                                  : file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                        static_cast<qint64>(bytes.size());
  if (!written) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return Fail(fileName, reason.isEmpty() ? QStringLiteral("write failed") : reason);
  }
  if (!file.commit()) return Fail(fileName, file.errorString());
  return true;
}
