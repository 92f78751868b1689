#include "ini/INIfile.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/TextUtil.h"

namespace {
// One line of the file into key and value; an empty key means the line carries nothing.
void ParseLine(std::string line, std::string& key, std::string& value) {
  for (char& c : line)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  line = TrimSpaces(line);
  key.clear();
  value.clear();
  if (line.empty()) return;
  if (line.front() == '[') {
    key = UpperAscii(line);
    return;
  }
  const auto equal = line.find('=');
  if (equal == std::string::npos) return;
  key = UpperAscii(TrimSpaces(line.substr(0, equal)));
  value = TrimSpaces(line.substr(equal + 1));
}
}  // namespace

void INIfile::LoadText(const std::string& bytes) {
  lines_.Clear();
  std::string group, key, value;
  std::string::size_type pos = 0, end;
  // Text after the last CR LF is not a line: a file cut short loses its unfinished line.
  while ((end = bytes.find("\r\n", pos)) != std::string::npos) {
    ParseLine(bytes.substr(pos, end - pos), key, value);
    if (!key.empty()) {
      if (key.front() == '[') group = key;
      lines_.Add(group, key, value);
    }
    pos = end + 2;
  }
}

std::string INIfile::SaveText() const {
  std::string text;
  for (const INIline& line : lines_) {
    const std::string group = UpperAscii(TrimSpaces(line.Group));
    std::string key = TrimSpaces(line.Section);
    const std::string value = TrimSpaces(line.Value);
    if (!key.empty()) {
      if (UcaseSection) key = UpperAscii(key);
      std::string out(static_cast<size_t>(std::max(LeadingSpaces, 0)), ' ');
      out += key;
      const auto width = static_cast<size_t>(std::max(EqualPos - 1, 0));
      if (out.size() < width) out.resize(width, ' ');
      out += value.empty() ? "=" : "= " + value;
      text += out;
    } else {
      text += group;  // a header, or an empty line; a value without a key is not written
    }
    text += "\r\n";
  }
  return text;
}

bool INIfile::LoadFile(const std::string& fileName) {
  lines_.Clear();
  std::string bytes, why;
  switch (ReadWholeFile(fileName, kMaxBytes, bytes, &why)) {
    case ReadResult::Ok:
      LoadText(bytes);
      return true;
    case ReadResult::Missing:
      return true;
    default:
      DebugLog("Cannot read " + fileName + ": " + why + "; taken as empty");
      return false;
  }
}

bool INIfile::SaveFile(const std::string& fileName, std::string* reason) const {
  const std::string text = SaveText();
  // LoadFile would take such a file as empty: the old one is worth more than nothing.
  if (static_cast<int64_t>(text.size()) > kMaxBytes) {
    const std::string why = "would be larger than " + std::to_string(kMaxBytes) + " bytes";
    DebugLog("Cannot write " + fileName + ": " + why);
    if (reason) *reason = why;
    return false;
  }
  return WriteFileAtomically(fileName, text, reason);
}
