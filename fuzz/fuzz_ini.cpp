// The INI loader on arbitrary bytes: no crash, and what it keeps is what the saver writes back.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "base/TextUtil.h"
#include "ini/INIfile.h"

namespace {
bool HasLineBreakOrTab(const std::string& text) {
  return text.find_first_of("\r\n\t") != std::string::npos;
}
bool IsTrimmed(const std::string& text) {
  return TrimSpaces(text) == text;
}

size_t CountLineEnds(const std::string& text) {
  size_t count = 0;
  for (auto pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2))
    ++count;
  return count;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  INIfile doc;
  doc.LoadText(bytes);
  FUZZ_CHECK(static_cast<size_t>(doc.INIlines().Count()) <= CountLineEnds(bytes));

  for (const INIline& line : doc.INIlines()) {
    FUZZ_CHECK(!line.Section.empty());
    FUZZ_CHECK(!HasLineBreakOrTab(line.Section) && !HasLineBreakOrTab(line.Value));
    FUZZ_CHECK(IsTrimmed(line.Section) && IsTrimmed(line.Value));
    FUZZ_CHECK(UpperAscii(line.Section) == line.Section);
    FUZZ_CHECK(line.Group.empty() || line.Group.front() == '[');
    if (line.Section.front() == '[')
      FUZZ_CHECK(line.Group == line.Section && line.Value.empty());
    else
      FUZZ_CHECK(line.Section.find('=') == std::string::npos);
  }

  // Saved and loaded again, every key line comes back unchanged (headers come back in key form).
  const std::string saved = doc.SaveText();
  FUZZ_CHECK(CountLineEnds(saved) == static_cast<size_t>(doc.INIlines().Count()));
  INIfile again;
  again.LoadText(saved);
  FUZZ_CHECK(again.INIlines().Count() == doc.INIlines().Count());
  for (int i = 1; i <= doc.INIlines().Count(); ++i) {
    const INIline& before = doc.INIlines().Item(i);
    const INIline& after = again.INIlines().Item(i);
    if (before.Section.front() != '[')
      FUZZ_CHECK(after.Section == before.Section && after.Value == before.Value);
  }

  // Any indentation and column, and keys in upper case, still write one line per line.
  if (size >= 2) {
    INIfile odd;
    odd.INIlines() = doc.INIlines();
    odd.LeadingSpaces = static_cast<int8_t>(data[0]);
    odd.EqualPos = static_cast<int8_t>(data[1]);
    odd.UcaseSection = (data[0] & 1) != 0;
    FUZZ_CHECK(CountLineEnds(odd.SaveText()) == static_cast<size_t>(odd.INIlines().Count()));
  }
  return 0;
}
