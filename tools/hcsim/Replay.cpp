#include "Replay.h"

#include <algorithm>

#include "base/SerialTrace.h"

namespace hcsim {

namespace {

// A command as a terminal may show it: the protocol's characters as they are, anything else
// as \xNN, so a hostile trace cannot write to the terminal.
std::string Shown(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F && byte != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr size_t kCommandLength = 11;
constexpr size_t kBlockBytes = 256;

}  // namespace

bool ReplayDevice::Load(std::string_view traceText, std::string& error) {
  int64_t lastHostUs = 0;
  size_t lineNumber = 0;
  while (!traceText.empty()) {
    const size_t end = std::min(traceText.find('\n'), traceText.size());
    std::string_view line = traceText.substr(0, end);
    traceText.remove_prefix(std::min(end + 1, traceText.size()));
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    SerialTrace::Direction direction;
    std::string bytes;
    int64_t atUs = 0;
    if (!SerialTrace::ParseLine(line, direction, bytes, atUs)) {
      error = "line " + std::to_string(lineNumber) + " is not a line of a serial trace";
      return false;
    }
    if (direction == SerialTrace::Direction::ToDevice) {
      expected_ += bytes;
      lastHostUs = atUs;
    } else if (!replies_.empty() && replies_.back().after == expected_.size()) {
      replies_.back().bytes += bytes;
    } else {
      const int64_t delayMs =
          expected_.empty() ? 0 : std::max<int64_t>(0, atUs - lastHostUs) / 1000;
      replies_.push_back({expected_.size(), delayMs, bytes});
    }
  }
  if (expected_.empty()) {
    error = "the trace holds nothing the host sent";
    return false;
  }
  SplitUnits();
  return true;
}

void ReplayDevice::SplitUnits() {
  int command = 0;
  size_t at = 0;
  while (at < expected_.size()) {
    if (expected_.compare(at, 2, "@@") != 0 || at + kCommandLength > expected_.size()) {
      // A stray byte belongs to the command that follows it.
      units_.push_back({at, 1, command + 1, false});
      ++at;
      continue;
    }
    units_.push_back({at, kCommandLength, ++command, false});
    const bool write = expected_[at + 2] == '2';
    const int high = HexValue(expected_[at + 7]), low = HexValue(expected_[at + 8]);
    at += kCommandLength;
    if (write && high >= 0 && low >= 0) {
      const size_t blocks = high * 16 + low == 0 ? 256 : static_cast<size_t>(high * 16 + low);
      const size_t length = std::min(blocks * kBlockBytes, expected_.size() - at);
      if (length > 0) units_.push_back({at, length, command, true});
      at += length;
    }
  }
}

const ReplayDevice::Unit* ReplayDevice::UnitAt(size_t position) const {
  const auto after = std::upper_bound(units_.begin(), units_.end(), position,
                                      [](size_t p, const Unit& u) { return p < u.start; });
  return after == units_.begin() ? nullptr : &*(after - 1);
}

void ReplayDevice::QueueReplies(int64_t nowMs) {
  while (nextReply_ < replies_.size() && replies_[nextReply_].after <= received_.size()) {
    const Reply& reply = replies_[nextReply_++];
    int64_t due = nowMs + (recordedTiming_ ? reply.delayMs : 0);
    if (!out_.empty()) due = std::max(due, out_.back().due);
    out_.push_back({due, reply.bytes});
  }
}

void ReplayDevice::Receive(std::string_view bytes, int64_t nowMs) {
  for (const char c : bytes) {
    if (!diverged_) QueueReplies(nowMs);
    const size_t position = received_.size();
    received_ += c;
    if (diverged_) continue;
    if (position >= expected_.size() || expected_[position] != c) {
      diverged_ = true;
      divergedAt_ = position;
      reportDueMs_ = nowMs + kReportAfterMs;
    }
  }
  if (!diverged_) {
    QueueReplies(nowMs);
    return;
  }
  // Reported as soon as the differing command is whole.
  const Unit* unit = divergedAt_ < expected_.size() ? UnitAt(divergedAt_) : nullptr;
  const size_t end = unit ? unit->start + unit->length : divergedAt_ + kCommandLength;
  if (difference_.empty() && received_.size() >= end) Report();
}

void ReplayDevice::Report() {
  if (divergedAt_ >= expected_.size()) {
    const int commands = units_.empty() ? 0 : units_.back().command;
    difference_ = "command " + std::to_string(commands + 1) + " was " +
                  Shown(std::string_view(received_).substr(divergedAt_, kCommandLength)) +
                  ", the trace ends before it";
    return;
  }
  const Unit& unit = *UnitAt(divergedAt_);
  if (unit.data) {
    difference_ = "the data of command " + std::to_string(unit.command) +
                  " differ from the trace at byte " + std::to_string(divergedAt_ - unit.start);
    return;
  }
  difference_ = "command " + std::to_string(unit.command) + " was " +
                Shown(std::string_view(received_).substr(unit.start, unit.length)) +
                ", the trace has " +
                Shown(std::string_view(expected_).substr(unit.start, unit.length));
}

int64_t ReplayDevice::NextOutputDue() const {
  if (!difference_.empty()) return kNever;
  if (diverged_) return reportDueMs_;
  return out_.empty() ? kNever : out_.front().due;
}

std::string ReplayDevice::TakeOutput(int64_t nowMs) {
  if (diverged_) {
    if (difference_.empty() && reportDueMs_ <= nowMs) Report();
    return {};
  }
  std::string bytes;
  auto due = out_.begin();
  while (due != out_.end() && due->due <= nowMs) bytes += (due++)->bytes;
  out_.erase(out_.begin(), due);
  return bytes;
}

std::vector<std::string> ReplayDevice::TakeCommands() {
  std::vector<std::string> commands;
  for (; commandsTaken_ < units_.size(); ++commandsTaken_) {
    const Unit& unit = units_[commandsTaken_];
    const size_t matched = diverged_ ? divergedAt_ : received_.size();
    if (unit.start + unit.length > matched) break;
    if (!unit.data && unit.length == kCommandLength)
      commands.push_back(expected_.substr(unit.start, unit.length));
  }
  return commands;
}

}  // namespace hcsim
