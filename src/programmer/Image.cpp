#include "programmer/Image.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/Startup.h"

std::array<uint8_t, kImageSize> gImage;
std::string gFirmwareFile;
std::string gFileChecksum;
bool gImageLoadFailed = false;

namespace {
constexpr int kSignatureOffset = 0xFFE0;
constexpr uint8_t kBlank = 0xFF;
ImageReadProblem gReadProblem = ImageReadProblem::None;
std::string gReadReason;

// NotFound and WrongSize leave gImage as it was.
ImageLoadResult ReadImage(const std::string& path) {
  gReadProblem = ImageReadProblem::None;
  gReadReason.clear();
  // Read aside first: a read error half way must not leave a mixture of two images.
  std::string bytes, why;
  switch (ReadWholeFile(path, kImageSize, bytes, &why)) {
    case ReadResult::Missing:
      return ImageLoadResult::NotFound;
    case ReadResult::NotRegular:
      gReadProblem = ImageReadProblem::NotRegular;
      gReadReason = why;
      DebugLog("Firmware file " + path + " " + why);
      return ImageLoadResult::WrongSize;
    case ReadResult::Unreadable:
      gReadProblem = ImageReadProblem::Unreadable;
      gReadReason = "cannot be read (" + why + ")";
      DebugLog("Firmware file " + path + " " + gReadReason);
      return ImageLoadResult::WrongSize;
    case ReadResult::TooLarge:
      return ImageLoadResult::WrongSize;
    case ReadResult::Ok:
      break;
  }
  if (bytes.size() != kImageSize) return ImageLoadResult::WrongSize;
  std::copy(bytes.begin(), bytes.end(), gImage.begin());
  const bool signed_ = gImage[kSignatureOffset] == 0x55 && gImage[kSignatureOffset + 1] == 0xAA;
  return signed_ ? ImageLoadResult::Loaded : ImageLoadResult::Invalid;
}

}  // namespace

ImageReadProblem LastImageReadProblem() {
  return gReadProblem;
}
const std::string& LastImageReadReason() {
  return gReadReason;
}

ImageLoadResult LoadFirmwareFile(const std::string& path) {
  const ImageLoadResult result = ReadImage(path);
  gImageLoadFailed = result == ImageLoadResult::NotFound || result == ImageLoadResult::WrongSize;
  return result;
}

bool IsBlockBlank(int bank, int block) {
  if (bank < 0 || bank > 1 || block < 0 || block >= kBlocksPerBank) return false;
  const auto start = gImage.begin() + ImageOffset(bank, block);
  return std::all_of(start, start + kBlockSize, [](uint8_t b) { return b == kBlank; });
}
