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

bool EndsWithNoCase(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         EqualsNoCaseAscii(text.substr(text.size() - ending.size()), ending);
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
  auto byteAt = [&](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = byteAt(i);
    if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      continue;
    }
    // C1 controls: C2 80 to C2 9F.
    if (c == 0xC2 && byteAt(i + 1) >= 0x80 && byteAt(i + 1) <= 0x9F) {
      const unsigned char code = byteAt(++i);
      out += "\\x";
      out += kHex[code >> 4];
      out += kHex[code & 0xF];
      continue;
    }
    // U+2028-U+202E is E2 80 A8-AE; U+2066-U+2069 is E2 81 A6-A9.
    const unsigned char second = byteAt(i + 1), third = byteAt(i + 2);
    if (c == 0xE2 && ((second == 0x80 && third >= 0xA8 && third <= 0xAE) ||
                      (second == 0x81 && third >= 0xA6 && third <= 0xA9))) {
      const int code = ((c & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F);
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
      i += 2;
      continue;
    }
    out += static_cast<char>(c);
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
