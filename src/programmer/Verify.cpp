// Reading the hand control's flash back and comparing it with the image.
#include <functional>

#include "base/DebugLog.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

using namespace link_detail;

namespace {

enum class BlockCheck { Unread, Same, Differs };
using BlockChecker = std::function<BlockCheck(int bank, int block, bool selectPage)>;

// The cancel button was pressed during the check.
bool CancelRequested() {
  if (!gCancelVerify) return false;
  Tell(LinkMessage(MessageKind::VerifyCancelled));
  return true;
}

// Walks every programmed block in order, with the questions a user gets on unreadable or
// differing blocks and a look at the cancel button before each block.
PassEnd RunPass(const BlockChecker& check) {
  bool differences = false;
  for (const BlockRange& range : kWrittenRanges) {
    const int bank = range.bank;
    bool selectPage = true;
    for (int block = range.first; block <= range.last; ++block) {
      if (CancelRequested()) return PassEnd::Stopped;
      if (bank == 1 && IsBlockBlank(bank, block)) continue;
      BlockCheck result;
      while ((result = check(bank, block, selectPage)) == BlockCheck::Unread) {
        if (PortLost()) return PassEnd::Stopped;
        if (Ask(LinkBlockMessage(MessageKind::VerifyReadRetryQuestion, bank, block)) !=
            MsgAnswer::Retry) {
          Tell(LinkBlockMessage(MessageKind::VerifyStopped, bank, block));
          return PassEnd::Stopped;
        }
      }
      if (result == BlockCheck::Differs) {
        differences = true;
        if (Ask(LinkBlockMessage(MessageKind::DifferenceQuestion, bank, block)) != MsgAnswer::Yes) {
          Tell(LinkBlockMessage(MessageKind::VerifyStopped, bank, block));
          return PassEnd::Stopped;
        }
      }
      ShowProgress(LinkPhase::Verifying, ImageOffset(bank, block));
      selectPage = false;
    }
  }
  // A cancel pressed while the last block was read still gets its answer.
  if (CancelRequested()) return PassEnd::Stopped;
  return differences ? PassEnd::Differences : PassEnd::Clean;
}

BlockCheck CompareChecksum(int bank, int block, bool selectPage) {
  int16_t read = 0;
  if (!ReadBlockChecksum(ImageOffset(bank, block), read, selectPage)) return BlockCheck::Unread;
  unsigned sum = 0;
  for (int i = 0; i < kBlockSize; ++i) sum += gImage[ImageOffset(bank, block, i)];
  return static_cast<int>(sum % 256) == read ? BlockCheck::Same : BlockCheck::Differs;
}

std::string HexDigits(const uint8_t* data) {
  std::string text;
  text.reserve(2 * kBlockSize);
  for (int i = 0; i < kBlockSize; ++i) text += HexPad(data[i], 2);
  return text;
}

BlockCheck CompareBlock(int bank, int block, bool selectPage) {
  uint8_t read[kBlockSize];
  if (!ReadBlock(ImageOffset(bank, block), read, selectPage)) return BlockCheck::Unread;
  const uint8_t* image = gImage.data() + ImageOffset(bank, block);
  if (std::equal(read, read + kBlockSize, image)) return BlockCheck::Same;
  DebugLog("File: " + HexDigits(image));
  DebugLog("HC:   " + HexDigits(read));
  return BlockCheck::Differs;
}

// 100 % and the verdict, once a pass has run to its end.
bool Finish(PassEnd end) {
  if (end == PassEnd::Stopped) return false;
  ShowProgress(LinkPhase::Verifying, kProgressTotal);
  return end == PassEnd::Clean;
}

}  // namespace

namespace link_detail {

PassEnd ChecksumPass() {
  OperationScope::EnterCheckPhase();
  ShowProgress(LinkPhase::Verifying, 0);
  return RunPass(CompareChecksum);
}

bool ParseHexByte(const std::string& text, size_t at, int& value) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  if (at + 2 > text.size()) return false;
  const int high = digit(text[at]), low = digit(text[at + 1]);
  if (high < 0 || low < 0) return false;
  value = high * 16 + low;
  return true;
}

}  // namespace link_detail

bool ReadBlock(int offset, uint8_t* data, bool selectPage) {
  std::string reply;
  if (selectPage && !SendCommand(PageCommand(offset), 0, 5000, 3, reply)) return false;
  if (!SendCommand("@@6" + HexPad(offset % 65536, 4) + "01XX", 512, 3000, 3, reply)) return false;
  uint8_t parsed[kBlockSize];
  for (int i = 0; i < kBlockSize; ++i) {
    int value = 0;
    if (!ParseHexByte(reply, 2 * i, value)) return false;
    parsed[i] = static_cast<uint8_t>(value);
  }
  std::copy(parsed, parsed + kBlockSize, data);
  return true;
}

bool FastVerify() {
  return Finish(ChecksumPass());
}

bool FullVerify() {
  OperationScope::ForgetCancelRequests();
  ShowProgress(LinkPhase::Verifying, 0);
  return Finish(RunPass(CompareBlock));
}
