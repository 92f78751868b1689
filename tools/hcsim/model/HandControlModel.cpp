#include "HandControlModel.h"

#include <algorithm>
#include <cctype>

namespace hcsim {

namespace {

constexpr int kCommandLength = 11;
constexpr int kBlock = 256;
constexpr int kQueryLength = 95;
constexpr int kCodeColumn = 88;  // characters 89..92 counted from 1

bool IsHex(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; });
}

int ParseHex(const std::string& text) {
  return static_cast<int>(std::stoul(text, nullptr, 16));
}

bool Matches(const std::vector<BlockRef>& refs, int offset) {
  return std::any_of(refs.begin(), refs.end(), [offset](const BlockRef& r) {
    return r.bank * 131072 + r.block * kBlock == offset;
  });
}

}  // namespace

std::string HandControlModel::Hex(unsigned value, int width) const {
  const char* digits = faults_.lowercase ? "0123456789abcdef" : "0123456789ABCDEF";
  std::string text(width, '0');
  for (int i = width - 1; i >= 0; --i, value >>= 4) text[i] = digits[value & 0xF];
  return text;
}

int HandControlModel::FileOffset(int address) const {
  return ((page_ ^ 1) << 16) + (address & 0xFFFF);
}

void HandControlModel::Receive(std::string_view bytes, int64_t nowMs) {
  for (char c : bytes) {
    if (disconnected_) return;
    ++received_;
    if (faults_.disconnectAfter >= 0 && received_ > faults_.disconnectAfter) {
      disconnected_ = true;
      out_.clear();
      return;
    }
    if (writeBlocks_ > 0) {
      writeData_.push_back(c);
      if (static_cast<int>(writeData_.size()) == writeBlocks_ * kBlock) FinishWrite(nowMs);
      continue;
    }
    if (command_.empty() && c != '@') continue;  // resynchronise on the next command
    command_.push_back(c);
    if (command_.size() == 2 && command_[1] != '@') {
      command_ = c == '@' ? "@" : "";
      continue;
    }
    if (static_cast<int>(command_.size()) == kCommandLength) {
      std::string command;
      command.swap(command_);
      Execute(command, nowMs);
    }
  }
}

void HandControlModel::Execute(const std::string& command, int64_t nowMs) {
  if (recording_) log_.push_back(command);
  ++commandsSeen_;
  if (faults_.silent || (faults_.muteFrom > 0 && commandsSeen_ >= faults_.muteFrom)) return;
  const char digit = command[2];
  const std::string params = command.substr(3);
  const int64_t ready = nowMs + timing_.commandMs;
  switch (digit) {
    case '1':
      if (!IsHex(params.substr(0, 2)) || ParseHex(params.substr(0, 2)) > 3) return;
      page_ = ParseHex(params.substr(0, 2));
      Reply(digit, "", ready);
      return;
    case '2': {
      if (!IsHex(params.substr(0, 6))) return;
      writeAddress_ = ParseHex(params.substr(0, 4));
      writeBlocks_ = ParseHex(params.substr(4, 2));
      if (writeBlocks_ == 0) writeBlocks_ = 256;
      writeData_.clear();
      ++writesSeen_;
      if (faults_.xoffMs > 0 && !xoffDone_) {
        xoffDone_ = true;
        Emit(std::string(1, kXoff), ready);
        Emit(std::string(1, kXon), ready + faults_.xoffMs);
      }
      return;
    }
    case '3': {
      const unsigned code = flash_[0xFFFF] << 8 | flash_[0xFFFE];
      std::string text = "HC LOADER READY";
      text.resize(kQueryLength, '.');
      text.replace(kCodeColumn, 4, Hex(code, 4));
      Reply(digit, text, ready);
      return;
    }
    case '5':
      flash_.fill(0xFF);
      Reply(digit, "", ready + timing_.eraseMs);
      return;
    case '6':
    case '8': {
      if (!IsHex(params.substr(0, 4)) || params.substr(4) != "01XX") return;
      const auto block = ReadBlockAt(ParseHex(params.substr(0, 4)));
      std::string text;
      if (digit == '6') {
        for (uint8_t b : block) text += Hex(b, 2);
      } else {
        unsigned sum = 0;
        for (uint8_t b : block) sum += b;
        text = Hex(sum & 0xFF, 2);
      }
      Reply(digit, text, ready);
      return;
    }
    default:
      return;
  }
}

void HandControlModel::FinishWrite(int64_t nowMs) {
  for (size_t i = 0; i < writeData_.size(); ++i) {
    uint8_t& cell = flash_[FileOffset(writeAddress_ + static_cast<int>(i))];
    cell &= static_cast<uint8_t>(writeData_[i]);
  }
  const int blocks = writeBlocks_;
  writeBlocks_ = 0;
  writeData_.clear();
  if (writesSeen_ == faults_.nackWrite) return;
  Reply('2', "", nowMs + timing_.commandMs + blocks * timing_.blockWriteMs);
}

std::array<uint8_t, 256> HandControlModel::ReadBlockAt(int address) const {
  std::array<uint8_t, 256> block{};
  for (int i = 0; i < kBlock; ++i) block[i] = flash_[FileOffset(address + i)];
  const int start = FileOffset(address);
  if (Matches(faults_.corrupt, start)) block[0] ^= 0x01;
  if (Matches(faults_.swap, start)) std::swap(block[0], block[1]);
  return block;
}

void HandControlModel::Reply(char commandDigit, const std::string& text, int64_t readyMs) {
  if (faults_.delayCommand == 0 || faults_.delayCommand == commandDigit) {
    readyMs += faults_.delayMs;
  }
  std::string bytes = text + "#";
  if (repliesSent_++ < faults_.noise) bytes.insert(bytes.begin(), '~');
  Emit(std::move(bytes), readyMs);
}

void HandControlModel::Emit(std::string bytes, int64_t dueMs) {
  // Output leaves in order: a reply never overtakes an earlier one.
  if (!out_.empty()) dueMs = std::max(dueMs, out_.back().due);
  out_.push_back(Output{dueMs, std::move(bytes)});
}

int64_t HandControlModel::NextOutputDue() const {
  return out_.empty() || disconnected_ ? kNever : out_.front().due;
}

std::string HandControlModel::TakeOutput(int64_t nowMs) {
  std::string bytes;
  size_t taken = 0;
  while (taken < out_.size() && out_[taken].due <= nowMs) bytes += out_[taken++].bytes;
  out_.erase(out_.begin(), out_.begin() + static_cast<std::ptrdiff_t>(taken));
  return bytes;
}

}  // namespace hcsim
