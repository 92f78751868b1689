#include "startup/Versions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/VersionsDocument.h"

std::vector<VersionEntry> gVersions;

namespace {
constexpr const char* kGroup = "[VERSIONS]";
constexpr const char* kKey = "VERSION";

// At least two digits after the sign: 5 gives "05", -5 gives "-05".
std::string MinorText(int minor) {
  std::string digits = std::to_string(std::llabs(static_cast<long long>(minor)));
  if (digits.size() < 2) digits.insert(0, "0");
  return (minor < 0 ? "-" : "") + digits;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at the start of text: sign, digits, a point and digits, an exponent.
size_t NumberLength(const std::string& text, size_t start) {
  size_t i = start;
  auto digits = [&] {
    const size_t from = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i > from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa = digits() || mantissa;
  }
  if (!mantissa) return 0;
  const size_t beforeExponent = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) i = beforeExponent;
  }
  return i - start;
}
// Roughly the decimal exponent of an unsigned number text such as "0.00012e-7"; only
// consulted when the number lies far outside the range of a double.
long DecimalOrder(const std::string& number) {
  const auto e = number.find('e');
  long exponent = 0;
  if (e != std::string::npos) {
    size_t i = e + 1;
    const bool negative = number[i] == '-';
    if (number[i] == '+' || negative) ++i;
    for (; i < number.size() && exponent < 1000000; ++i)
      exponent = exponent * 10 + (number[i] - '0');
    if (negative) exponent = -exponent;
  }
  const std::string mantissa = number.substr(0, e);
  const auto point = std::min(mantissa.find('.'), mantissa.size());
  const auto firstDigit = mantissa.find_first_of("123456789");
  if (firstDigit == std::string::npos) return 0;
  const long order = firstDigit < point ? static_cast<long>(point - firstDigit)
                                        : -static_cast<long>(firstDigit - point - 1);
  return order + exponent;
}
}  // namespace

int16_t ParseVersionNumber(const std::string& piece, bool& clamped) {
  clamped = false;
  const size_t start = piece.find_first_not_of(' ');
  if (start == std::string::npos) return 0;
  const size_t length = NumberLength(piece, start);
  if (length == 0) return 0;
  std::string number = piece.substr(start, length);
  for (char& c : number)
    if (c == 'd' || c == 'D') c = 'e';
  const bool negative = number.front() == '-';
  if (number.front() == '+' || negative) number.erase(0, 1);
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  // Beyond a double either way: too large, or so small that it is zero.
  if (result.ec == std::errc::result_out_of_range) value = DecimalOrder(number) > 0 ? HUGE_VAL : 0;
  if (negative) value = -value;
  constexpr double lo = std::numeric_limits<int16_t>::min();
  constexpr double hi = std::numeric_limits<int16_t>::max();
  const double rounded = std::nearbyint(value);  // the default mode rounds a half to even
  if (rounded < lo || rounded > hi) {
    clamped = true;
    return static_cast<int16_t>(rounded < lo ? lo : hi);
  }
  return static_cast<int16_t>(rounded);
}

void VersionsFromDocument(const INIlines& lines) {
  gVersions.clear();
  for (const INIline& line : lines) {
    if (line.Group != kGroup || line.Section != kKey) continue;
    std::vector<std::string> pieces;
    size_t start = 0;
    while (pieces.size() < 5) {
      const size_t comma = line.Value.find(',', start);
      pieces.push_back(line.Value.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    pieces.resize(5);
    VersionEntry entry{pieces[0], pieces[1], pieces[2]};
    bool clampedMajor = false, clampedMinor = false;
    entry.Major = ParseVersionNumber(pieces[3], clampedMajor);
    entry.Minor = ParseVersionNumber(pieces[4], clampedMinor);
    if (clampedMajor || clampedMinor)
      DebugLog("Warning: version number out of range in \"" + line.Value + "\", using " +
               VersionText(entry.Major, entry.Minor));
    gVersions.push_back(std::move(entry));
  }
}

INIfile VersionsDocument() {
  INIfile doc;
  doc.INIlines().Add(kGroup, "", "");
  for (const VersionEntry& v : gVersions)
    doc.INIlines().Add(kGroup, "Version",
                       v.Status + "," + v.TypeName + "," + v.Checksum + "," +
                           std::to_string(v.Major) + "," + MinorText(v.Minor));
  return doc;
}

void LoadVersions(const std::string& fileName) {
  INIfile doc;
  doc.LoadFile(fileName);
  VersionsFromDocument(doc.INIlines());
}

bool SaveVersions(const std::string& fileName, std::string* reason) {
  return VersionsDocument().SaveFile(fileName, reason);
}

const VersionEntry* FindVersion(const std::string& code) {
  for (const VersionEntry& v : gVersions)
    if (EqualsNoCaseAscii(v.Checksum, code)) return &v;
  return nullptr;
}

std::string VersionText(int major, int minor) {
  return std::to_string(major) + "." + MinorText(minor);
}
