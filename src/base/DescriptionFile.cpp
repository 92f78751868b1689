#include "base/DescriptionFile.h"

#include <QStringDecoder>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/TextUtil.h"

namespace {

constexpr int64_t kMaxDescriptionFileBytes = 1024 * 1024;

}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  const std::string exact = folder + "/" + name;
  std::error_code error;
  if (std::filesystem::is_regular_file(std::filesystem::path(exact), error)) return exact;
  for (const std::string& candidate : FileNamesIn(folder)) {
    if (EqualsNoCaseAscii(candidate, name)) return folder + "/" + candidate;
  }
  return "";
}

std::string DescriptionFromBytes(const std::string& bytes) {
  std::string description;
  size_t lineStart = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    description.append(bytes, lineStart, i - lineStart).append("\r\n");
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    lineStart = i + 1;
  }
  if (lineStart < bytes.size()) description.append(bytes, lineStart).append("\r\n");
  return description;
}

bool ReadDescriptionFile(const std::string& path, std::string& description, std::string& reason) {
  description.clear();
  std::string bytes;
  if (ReadWholeFile(path, kMaxDescriptionFileBytes, bytes, &reason) != ReadResult::Ok) return false;
  description = DescriptionFromBytes(bytes);
  return true;
}

QString DescriptionForDisplay(const std::string& description) {
  const QByteArray bytes = QByteArray::fromStdString(WithLfLineEnds(description));
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(bytes);
  // A U+FFFD written in the file is valid UTF-8; only a decoding error means another code page.
  return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}
