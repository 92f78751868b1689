// The description decoder on arbitrary bytes: every line held ends with CR LF, no other CR or LF
// is left, and what a window shows has plain LF line ends.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "base/DescriptionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string held = DescriptionFromBytes(bytes);
  FUZZ_CHECK(held.empty() == bytes.empty());
  FUZZ_CHECK(held.empty() || held.compare(held.size() - 2, 2, "\r\n") == 0);
  FUZZ_CHECK(held.size() <= 2 * bytes.size() + 2);
  for (size_t i = 0; i < held.size(); ++i) {
    if (held[i] == '\r') FUZZ_CHECK(i + 1 < held.size() && held[i + 1] == '\n');
    if (held[i] == '\n') FUZZ_CHECK(i > 0 && held[i - 1] == '\r');
  }
  // Held once more, a description stays as it is.
  FUZZ_CHECK(DescriptionFromBytes(held) == held);
  const QString shown = DescriptionForDisplay(held);
  FUZZ_CHECK(!shown.contains(QLatin1Char('\r')));
  return 0;
}
