#include "MakeImage.h"

#include <cstdio>

#include "HandControlModel.h"
#include "TestImage.h"
#include "base/AtomicFile.h"

namespace {

// One to four hex digits, as codes are written in the versions table.
bool ParseCode(const std::string& text, uint16_t& code) {
  if (text.empty() || text.size() > 4) return false;
  unsigned value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  code = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

int MakeImageCommand(const std::vector<std::string>& args) {
  if (args.size() < 3) {
    std::fprintf(stderr, "hcsim: --make-image needs FILE CODE SEED [RANGE]...\n");
    return 2;
  }
  std::vector<testimage::BlockRange> filled;
  uint16_t code = 0;
  if (!ParseCode(args[1], code)) {
    std::fprintf(stderr, "hcsim: the code is one to four hex digits, not \"%s\"\n",
                 args[1].c_str());
    return 2;
  }
  int64_t seed = 0;
  if (!hcsim::ParseNumber(args[2], seed) || seed > 0xFFFFFFFF) {
    std::fprintf(stderr, "hcsim: the seed is a number from 0 to 4294967295, not \"%s\"\n",
                 args[2].c_str());
    return 2;
  }
  for (size_t i = 3; i < args.size(); ++i) {
    testimage::BlockRange range;
    if (!testimage::ParseBlockRange(args[i], range)) {
      std::fprintf(stderr, "hcsim: \"%s\" is not a block range FIRST-LAST from 0 to %d\n",
                   args[i].c_str(), testimage::kBlockCount - 1);
      return 2;
    }
    filled.push_back(range);
  }
  const auto image = testimage::MakeImage(filled, code, static_cast<uint32_t>(seed));
  std::string reason = "the block ranges do not fit the image";
  if (!image || !WriteFileAtomically(args[0], *image, &reason)) {
    std::fprintf(stderr, "hcsim: cannot write %s: %s\n", args[0].c_str(), reason.c_str());
    return 1;
  }
  return 0;
}
