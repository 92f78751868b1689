#include "TestImage.h"

#include <algorithm>
#include <utility>

namespace testimage {

namespace {

bool ParseBlock(const std::string& text, int& block) {
  if (text.empty() || text.size() > 4) return false;
  block = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    block = block * 10 + (c - '0');
  }
  return block < kBlockCount;
}

}  // namespace

uint8_t DataByte(uint32_t seed, int offset) {
  // A fixed integer hash of our own, so that images do not change with the standard library.
  uint32_t x = seed * 0x9E3779B1u ^ (static_cast<uint32_t>(offset) + 0x7F4A7C15u) * 0x85EBCA77u;
  x ^= x >> 15;
  x *= 0x2C1B3C6Du;
  x ^= x >> 12;
  x *= 0x297A2D39u;
  x ^= x >> 15;
  return static_cast<uint8_t>(x);
}

std::optional<std::string> MakeImage(const std::vector<BlockRange>& filled,
                                     std::optional<uint16_t> code, uint32_t seed) {
  std::string image(kImageSize, '\xFF');
  for (const BlockRange& range : filled) {
    if (range.First < 0 || range.Last >= kBlockCount || range.First > range.Last) return {};
    for (int offset = range.First * kBlockSize; offset < (range.Last + 1) * kBlockSize; ++offset)
      image[offset] = static_cast<char>(DataByte(seed, offset));
  }
  image[kSignatureOffset] = '\x55';
  image[kSignatureOffset + 1] = '\xAA';
  if (code) {
    image[kCodeOffset] = static_cast<char>(*code & 0xFF);
    image[kCodeOffset + 1] = static_cast<char>(*code >> 8);
  }
  return image;
}

bool ParseBlockRange(const std::string& text, BlockRange& range) {
  const size_t dash = text.find('-');
  if (dash == std::string::npos) {
    if (!ParseBlock(text, range.First)) return false;
    range.Last = range.First;
    return true;
  }
  return ParseBlock(text.substr(0, dash), range.First) &&
         ParseBlock(text.substr(dash + 1), range.Last) && range.First <= range.Last;
}

std::vector<BlockRange> Runs(int run, int gap) {
  std::vector<BlockRange> ranges;
  if (run < 1 || gap < 0) return ranges;
  for (int bank = 0; bank < 2; ++bank) {
    for (auto [first, end] : {std::pair{0, 256}, std::pair{384, kBankBlocks}}) {
      for (int block = first; block < end; block += run + gap) {
        const int last = std::min(block + run, end) - 1;
        ranges.push_back({bank * kBankBlocks + block, bank * kBankBlocks + last});
      }
    }
  }
  return ranges;
}

bool InWrittenRange(int fileOffset) {
  const int block = (fileOffset / kBlockSize) % kBankBlocks;
  return block < 256 || block >= 384;
}

}  // namespace testimage
