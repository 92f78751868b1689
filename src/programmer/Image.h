#pragma once
#include <array>
#include <cstdint>
#include <string>

constexpr int kImageSize = 262144;
constexpr int kBankSize = 131072;
constexpr int kBlockSize = 256;
constexpr int kBlocksPerBank = 512;

extern std::array<uint8_t, kImageSize> gImage;
extern std::string gFirmwareFile;  // chosen image file; empty means none
extern std::string gFileChecksum;  // identification word as four hex digits
// The last load found no file or a file of the wrong size: gImage still holds an earlier file,
// whose identity must not be shown under the new name.
extern bool gImageLoadFailed;

inline int ImageOffset(int bank, int block, int byte = 0) {
  return bank * kBankSize + block * kBlockSize + byte;
}

// What loading an image gave. The numbers are those the program has always reported for the
// four outcomes; keep them.
enum class ImageLoadResult : int {
  Loaded = 0,     // the signature is valid
  NotFound = 1,   // no file at the path; the image is unchanged
  WrongSize = 2,  // not 262144 bytes, or not a readable plain file; the image is unchanged
  Invalid = 3,    // no signature 55 AA at 0xFFE0; the image holds the file all the same
};
ImageLoadResult LoadFirmwareFile(const std::string& path);
// The same checks on a file that is not to be loaded (yet): bytes holds the file for Loaded and
// Invalid, and gImage is left alone. LastImageReadProblem tells about WrongSize as above.
ImageLoadResult ReadFirmwareFile(const std::string& path, std::string& bytes);

// What made the last LoadFirmwareFile give WrongSize although something is there: None for a wrong
// size. The reason reads as the end of a sentence: "is a folder", "is not a regular file",
// "cannot be read (Permission denied)".
enum class ImageReadProblem { None, NotRegular, Unreadable };
ImageReadProblem LastImageReadProblem();
const std::string& LastImageReadReason();
bool IsBlockBlank(int bank, int block);

// The block ranges the hand control's firmware occupies, in the order programming writes them:
// blocks 256-383 of each bank are never written, read or checked.
struct BlockRange {
  int bank, first, last;
};
inline constexpr BlockRange kWrittenRanges[] = {
    {0, 0, 255}, {0, 384, 511}, {1, 0, 255}, {1, 384, 511}};
// Whether a block (0-511 within its bank) lies in one of those ranges.
inline bool IsWrittenBlock(int block) {
  return block < 256 || block >= 384;
}
