#pragma once
// Firmware images for tests, benchmarks and demos: erased (0xFF) except for pseudo-random data
// in the chosen blocks, with the signature 55 AA at 0xFFE0 and the identification code at
// 0xFFFE (low byte first), as the programmer's image reader expects them. Plain C++.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testimage {

inline constexpr int kImageSize = 262144;
inline constexpr int kBlockSize = 256;
inline constexpr int kBlockCount = kImageSize / kBlockSize;  // file blocks 0..1023
inline constexpr int kBankBlocks = kBlockCount / 2;          // bank 1 starts at file block 512
inline constexpr int kSignatureOffset = 0xFFE0;              // 0x55, 0xAA
inline constexpr int kCodeOffset = 0xFFFE;                   // low byte first

// File blocks First..Last, both included.
struct BlockRange {
  int First = 0;
  int Last = 0;
};

// The data byte at a file offset: a function of seed and offset only, so a block holds the
// same bytes whichever ranges are filled with it.
uint8_t DataByte(uint32_t seed, int offset);

// The whole image with data in the filled ranges; empty when a range lies outside it or runs
// backwards. Without a code, its bytes keep what the filling left there. The same seed gives
// the same bytes on every run and machine, other seeds other bytes.
std::optional<std::string> MakeImage(const std::vector<BlockRange>& filled,
                                     std::optional<uint16_t> code = {}, uint32_t seed = 1);

// "12-40" or "7" (one block); false for anything else.
bool ParseBlockRange(const std::string& text, BlockRange& range);

// The blocks the programmer writes (blocks 256 to 383 of each bank are never written), in runs
// of `run` blocks with `gap` erased blocks after each, so that programming has many runs.
std::vector<BlockRange> Runs(int run, int gap);

// True for the file offsets programming writes and reading returns.
bool InWrittenRange(int fileOffset);

}  // namespace testimage
