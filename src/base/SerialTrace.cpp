#include "base/SerialTrace.h"

#include "base/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

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
  if (!MayWriteUserFile(path, error)) return false;
  // Never through a link put in its place since: the trace would truncate what it points to.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  file_ = fd < 0 ? nullptr : ::fdopen(fd, "w");
  if (!file_) {
    error = std::strerror(errno);
    if (fd >= 0) ::close(fd);
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

std::string SerialTrace::Stamp(int64_t unixUs) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "%lld.%06lld", static_cast<long long>(unixUs / 1000000),
                static_cast<long long>(unixUs % 1000000));
  return stamp;
}

std::string SerialTrace::Line(Direction direction, std::string_view bytes, int64_t unixUs) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string line = Stamp(unixUs) + (direction == Direction::ToDevice ? " >" : " <");
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

bool SerialTrace::ParseLine(std::string_view line, Direction& direction, std::string& bytes,
                            int64_t& unixUs) {
  auto hexDigit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  size_t at = 0;
  int64_t seconds = 0, micros = 0;
  int secondDigits = 0, microDigits = 0;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9' && secondDigits < 12) {
    seconds = seconds * 10 + (line[at++] - '0');
    ++secondDigits;
  }
  if (secondDigits == 0 || at >= line.size() || line[at++] != '.') return false;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9' && microDigits < 6) {
    micros = micros * 10 + (line[at++] - '0');
    ++microDigits;
  }
  if (microDigits != 6 || line.substr(at, 1) != " " || at + 2 >= line.size()) return false;
  const char arrow = line[at + 1];
  if (arrow != '>' && arrow != '<') return false;
  at += 2;
  std::string read;
  // Each byte is a space and two hex digits; two spaces start the text part.
  while (at + 2 < line.size() && line[at] == ' ' && line[at + 1] != ' ') {
    const int high = hexDigit(line[at + 1]), low = hexDigit(line[at + 2]);
    if (high < 0 || low < 0 || read.size() >= kBytesPerLine) return false;
    read += static_cast<char>(high * 16 + low);
    at += 3;
  }
  if (read.empty() || line.substr(at, 3) != "  |") return false;
  direction = arrow == '>' ? Direction::ToDevice : Direction::ToHost;
  bytes = std::move(read);
  unixUs = seconds * 1000000 + micros;
  return true;
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
