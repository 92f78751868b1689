#include "programmer/Image.h"

#include <QFile>
#include <algorithm>
#include <vector>

#include "base/DebugLog.h"
#include "base/TextUtil.h"
#include "startup/Startup.h"

std::array<uint8_t, kImageSize> gImage;
std::string gFirmwareFile;
std::string gFileChecksum;

namespace {
constexpr int kSignatureOffset = 0xFFE0;
constexpr uint8_t kBlank = 0xFF;
}  // namespace

int LoadFirmwareFile(const std::string& path) {
  if (!FileExists(path)) return 1;
  QFile file(FilePath(path));
  if (!file.open(QIODevice::ReadOnly) || file.size() != kImageSize) return 2;
  // Read aside first: a read error half way must not leave a mixture of two images.
  std::vector<uint8_t> bytes(kImageSize);
  if (file.read(reinterpret_cast<char*>(bytes.data()), kImageSize) != kImageSize) {
    DebugLog("Cannot read " + path + ": " + file.errorString().toStdString());
    return 2;
  }
  std::copy(bytes.begin(), bytes.end(), gImage.begin());
  const bool signed_ = gImage[kSignatureOffset] == 0x55 && gImage[kSignatureOffset + 1] == 0xAA;
  return signed_ ? 0 : 3;
}

bool IsBlockBlank(int bank, int block) {
  if (bank < 0 || bank > 1 || block < 0 || block >= kBlocksPerBank) return false;
  const auto start = gImage.begin() + ImageOffset(bank, block);
  return std::all_of(start, start + kBlockSize, [](uint8_t b) { return b == kBlank; });
}
