#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct VersionEntry {
  std::string Status;
  std::string TypeName;
  std::string Checksum;
  int16_t Major = 0;
  int16_t Minor = 0;
};

// The versions table; entry i of the file format is gVersions[i - 1].
extern std::vector<VersionEntry> gVersions;
inline int gVersionCount() {
  return static_cast<int>(gVersions.size());
}

void LoadVersions(const std::string& fileName);
// False when the file could not be rewritten (the old one stays; *reason says why).
bool SaveVersions(const std::string& fileName, std::string* reason = nullptr);
// First entry whose Checksum equals code without regard to case; nullptr when not listed.
const VersionEntry* FindVersion(const std::string& code);
// "1.05": major, ".", minor with at least two digits.
std::string VersionText(int major, int minor);
