#pragma once
// A serial trace: every byte that crossed the line, one text line per group of bytes:
//
//   1765231081.123456 > 40 40 31 30 30 58 58 58 58 58 58  |@@100XXXXXX|
//
// the time in seconds since 1970-01-01 UTC with microseconds, ">" for bytes from the host to the
// hand control or "<" for bytes from the hand control, the bytes in hex, and between bars the
// bytes as text ("." for anything not printable). A line holds at most 16 bytes of one
// direction that crossed within 200 microseconds of its time. Lines starting with "#" are
// comments. padflasher-cli and hcsim write the same format, each from its own end of the line.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class SerialTrace {
 public:
  enum class Direction { ToDevice, ToHost };

  SerialTrace() = default;
  ~SerialTrace();
  SerialTrace(const SerialTrace&) = delete;
  SerialTrace& operator=(const SerialTrace&) = delete;

  // Creates (or replaces) the file and writes the header naming who wrote it.
  bool Open(const std::string& path, const std::string& writer, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }
  void Record(Direction direction, std::string_view bytes, int64_t unixUs);
  // A comment line ("# " and text) after what was recorded so far.
  void Comment(std::string_view text);
  // Writes what is pending and closes; false (with the reason) when any write failed.
  bool Close(std::string& error);

  static int64_t NowUnixUs();
  // A time as the format writes it: seconds since 1970 with six decimals.
  static std::string Stamp(int64_t unixUs);
  // One line of the format, for the bytes given (at most 16).
  static std::string Line(Direction direction, std::string_view bytes, int64_t unixUs);

  // Reads one line of the format back: false for a comment, an empty line or anything
  // malformed; bytes holds the line's bytes in order.
  static bool ParseLine(std::string_view line, Direction& direction, std::string& bytes,
                        int64_t& unixUs);

  static constexpr size_t kBytesPerLine = 16;
  static constexpr int64_t kGroupUs = 200;

 private:
  void FlushLine();

  FILE* file_ = nullptr;
  std::string path_;
  Direction direction_ = Direction::ToDevice;
  int64_t lineUs_ = 0;
  std::string pending_;
  int writeError_ = 0;
};
