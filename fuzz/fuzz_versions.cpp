// The versions file parser on arbitrary bytes: no crash, and one save makes a fixed point: what
// is saved loads back to a table that saves to the same bytes.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ini/INIfile.h"
#include "startup/Versions.h"
#include "startup/VersionsDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  INIfile doc;
  doc.LoadText(std::string(reinterpret_cast<const char*>(data), size));
  VersionsFromDocument(doc.INIlines());
  const int count = gVersionCount();
  for (const VersionEntry& v : gVersions) {
    const VersionEntry* found = FindVersion(v.Checksum);
    FUZZ_CHECK(found != nullptr && found <= &v);
    FUZZ_CHECK(!VersionText(v.Major, v.Minor).empty());
  }

  const std::string first = VersionsDocument().SaveText();
  INIfile again;
  again.LoadText(first);
  VersionsFromDocument(again.INIlines());
  FUZZ_CHECK(gVersionCount() == count);
  FUZZ_CHECK(VersionsDocument().SaveText() == first);

  // The number reader alone, on the raw bytes.
  bool clamped = false;
  ParseVersionNumber(std::string(reinterpret_cast<const char*>(data), size), clamped);
  return 0;
}
