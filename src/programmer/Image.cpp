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

}  // namespace

ImageLoadResult ReadFirmwareFile(const std::string& path, std::string& bytes) {
  gReadProblem = ImageReadProblem::None;
  gReadReason.clear();
  std::string why;
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
  const bool signed_ = static_cast<uint8_t>(bytes[kSignatureOffset]) == 0x55 &&
                       static_cast<uint8_t>(bytes[kSignatureOffset + 1]) == 0xAA;
  return signed_ ? ImageLoadResult::Loaded : ImageLoadResult::Invalid;
}

ImageReadProblem LastImageReadProblem() {
  return gReadProblem;
}
const std::string& LastImageReadReason() {
  return gReadReason;
}

ImageLoadResult LoadFirmwareFile(const std::string& path) {
  // Read aside first: a read error half way must not leave a mixture of two images.
  std::string bytes;
  const ImageLoadResult result = ReadFirmwareFile(path, bytes);
  if (result == ImageLoadResult::Loaded || result == ImageLoadResult::Invalid)
    std::copy(bytes.begin(), bytes.end(), gImage.begin());
  gImageLoadFailed = result == ImageLoadResult::NotFound || result == ImageLoadResult::WrongSize;
  return result;
}

bool IsBlockBlank(int bank, int block) {
  if (bank < 0 || bank > 1 || block < 0 || block >= kBlocksPerBank) return false;
  const auto start = gImage.begin() + ImageOffset(bank, block);
  return std::all_of(start, start + kBlockSize, [](uint8_t b) { return b == kBlank; });
}
