#pragma once
#include <string>

// One significant line of an INI document.
struct INIline {
  std::string Group;    // "[VERSIONS]"; empty before the first header
  std::string Section;  // the key, or the header itself on a header line
  std::string Value;    // empty on header lines

  bool operator==(const INIline&) const = default;
};
