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

// 0 loaded, 1 not found, 2 wrong size or not a readable plain file (image unchanged), 3 bad
// signature (image replaced).
int LoadFirmwareFile(const std::string& path);

// What made the last LoadFirmwareFile give 2 although something is there: None for a wrong
// size. The reason reads as the end of a sentence: "is a folder", "is not a regular file",
// "cannot be read (Permission denied)".
enum class ImageReadProblem { None, NotRegular, Unreadable };
ImageReadProblem LastImageReadProblem();
const std::string& LastImageReadReason();
bool IsBlockBlank(int bank, int block);
