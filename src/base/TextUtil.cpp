#include "base/TextUtil.h"

#include <QFile>

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool EqualsNoCaseAscii(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

QString FilePath(const std::string& fileName) {
  return QFile::decodeName(QByteArray::fromStdString(fileName));
}

std::string EscapedForDisplay(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string WithLfLineEnds(std::string text) {
  size_t write = 0;
  for (size_t read = 0; read < text.size(); ++read) {
    if (text[read] == '\r' && read + 1 < text.size() && text[read + 1] == '\n') continue;
    text[write++] = text[read];
  }
  text.resize(write);
  return text;
}
