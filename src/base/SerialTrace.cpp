#include "base/SerialTrace.h"

#include <cerrno>
#include <chrono>
#include <cstring>

SerialTrace::~SerialTrace() {
  std::string ignored;
  Close(ignored);
}

int64_t SerialTrace::NowUnixUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool SerialTrace::Open(const std::string& path, const std::string& writer, std::string& error) {
  std::string ignored;
  Close(ignored);
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    error = std::strerror(errno);
    return false;
  }
  path_ = path;
  writeError_ = 0;
  if (std::fprintf(file_,
                   "# serial trace written by %s\n"
                   "# seconds since 1970-01-01 UTC, > host to hand control or < hand control to "
                   "host, bytes in hex, |bytes as text|\n",
                   writer.c_str()) < 0 ||
      std::fflush(file_) != 0) {
    writeError_ = errno;
  }
  return true;
}

std::string SerialTrace::Line(Direction direction, std::string_view bytes, int64_t unixUs) {
  static const char kHex[] = "0123456789ABCDEF";
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "%lld.%06lld %c", static_cast<long long>(unixUs / 1000000),
                static_cast<long long>(unixUs % 1000000),
                direction == Direction::ToDevice ? '>' : '<');
  std::string line = stamp;
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    line += ' ';
    line += kHex[byte >> 4];
    line += kHex[byte & 0xF];
    text += byte >= 0x20 && byte < 0x7F ? c : '.';
  }
  return line + "  |" + text + "|\n";
}

void SerialTrace::Record(Direction direction, std::string_view bytes, int64_t unixUs) {
  if (!file_) return;
  for (const char c : bytes) {
    if (!pending_.empty() && (direction != direction_ || pending_.size() >= kBytesPerLine ||
                              unixUs - lineUs_ > kGroupUs)) {
      FlushLine();
    }
    if (pending_.empty()) {
      // A new command is a good moment to get what came before onto the disk.
      if (direction == Direction::ToDevice && direction_ == Direction::ToHost && !writeError_ &&
          std::fflush(file_) != 0) {
        writeError_ = errno;
      }
      direction_ = direction;
      lineUs_ = unixUs;
    }
    pending_ += c;
  }
}

void SerialTrace::Comment(std::string_view text) {
  if (!file_) return;
  FlushLine();
  std::string line = "# ";
  // One line, whatever the text holds.
  for (const char c : text) line += c == '\n' || c == '\r' ? ' ' : c;
  line += '\n';
  if (!writeError_ && std::fwrite(line.data(), 1, line.size(), file_) != line.size()) {
    writeError_ = errno ? errno : EIO;
  }
}

void SerialTrace::FlushLine() {
  if (pending_.empty()) return;
  const std::string line = Line(direction_, pending_, lineUs_);
  pending_.clear();
  if (!writeError_ && std::fwrite(line.data(), 1, line.size(), file_) != line.size()) {
    writeError_ = errno ? errno : EIO;
  }
}

bool SerialTrace::Close(std::string& error) {
  if (!file_) return true;
  FlushLine();
  if (std::fflush(file_) != 0 && !writeError_) writeError_ = errno;
  if (std::fclose(file_) != 0 && !writeError_) writeError_ = errno;
  file_ = nullptr;
  if (writeError_) {
    error = "cannot write " + path_ + ": " + std::strerror(writeError_);
    return false;
  }
  return true;
}
