// The catalogue parser on arbitrary bytes (the first one chooses whether hashes are required, as
// under a signed catalogue): no crash, and nothing it keeps can name a file outside the firmware
// it offers or steer a terminal.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "base/TextUtil.h"
#include "webupdate/Catalogue.h"

namespace {
bool IsHashOrEmpty(const std::string& hash) {
  return hash.empty() ||
         (hash.size() == 64 && hash.find_first_not_of("0123456789abcdef") == std::string::npos);
}
bool Shown(const std::string& text) {
  return EscapedForDisplay(text) == text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool requireHashes = data[0] & 1;
  const std::string reply(reinterpret_cast<const char*>(data) + 1, size - 1);
  const ParsedCatalogue parsed = ParseCatalogue(reply, requireHashes);
  FUZZ_CHECK(parsed.HasEntries || (parsed.Versions.empty() && parsed.Lists.Firmware.empty() &&
                                   parsed.Lists.Programs.empty()));
  FUZZ_CHECK(parsed.Versions.size() <= kMaxCatalogueRows);
  for (const FirmwareEntry& f : parsed.Lists.Firmware) {
    FUZZ_CHECK(IsSafeFileName(f.FileName()) && IsSafeFileName(f.BaseName + ".txt"));
    FUZZ_CHECK(UpperAscii(f.Extension) == "BIN" && f.Online && !f.Local);
    FUZZ_CHECK(IsHashOrEmpty(f.Sha256) && (!requireHashes || !f.Sha256.empty()));
    FUZZ_CHECK(Shown(f.Date));
    FUZZ_CHECK(f.Description.empty() ||
               f.Description.compare(f.Description.size() - 2, 2, "\r\n") == 0);
  }
  for (const ProgramFileEntry& p : parsed.Lists.Programs) {
    FUZZ_CHECK(IsSafeFileName(p.FileName) && p.PendingName == "$" + p.FileName);
    FUZZ_CHECK(p.FileName.size() < 4 ||
               UpperAscii(p.FileName.substr(p.FileName.size() - 4)) != ".BIN");
    FUZZ_CHECK(IsHashOrEmpty(p.Sha256) && (!requireHashes || !p.Sha256.empty()));
    FUZZ_CHECK(Shown(p.Version));
  }
  for (const VersionEntry& v : parsed.Versions) {
    FUZZ_CHECK(Shown(v.TypeName) && Shown(v.Checksum));
    FUZZ_CHECK(v.Status == "A" || v.Status == "I");
  }
  return 0;
}
