#pragma once
// An INI-style text document as an ordered list of lines. Text is 8-bit: bytes are kept exactly
// as they are in the file; only ASCII letters change case.
#include <cstdint>
#include <string>

#include "ini/INIlines.h"

class INIfile {
 public:
  ::INIlines& INIlines() { return lines_; }
  const ::INIlines& INIlines() const { return lines_; }

  static constexpr int64_t kMaxBytes = 1024 * 1024;

  bool UcaseSection = false;  // SaveFile writes keys in upper case
  int LeadingSpaces = 3;      // spaces before each key
  int EqualPos = 17;          // column (from 1) of the "=" after a short key

  // Replaces the lines with those of the file. A missing file gives an empty document and true;
  // a file that exists but cannot be read, is no regular file or is longer than kMaxBytes gives
  // an empty document, a debug log line and false.
  bool LoadFile(const std::string& fileName);
  // Replaces the file with the lines, through a temporary file renamed into place, so the old
  // file survives a failed write, and a text longer than kMaxBytes, which LoadFile would refuse,
  // is not written. Failure leaves a debug log line and returns false.
  bool SaveFile(const std::string& fileName, std::string* reason = nullptr) const;

  // The same, on the file's bytes in memory.
  void LoadText(const std::string& bytes);
  std::string SaveText() const;

 private:
  ::INIlines lines_;
};
