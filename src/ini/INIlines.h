#pragma once
// The ordered lines of an INI document. Positions count from 1, as callers of the library expect.
#include <deque>
#include <string>

#include "ini/INIline.h"

class INIlines {
 public:
  // Appends a line and hands it back; it stays valid while later lines are added.
  INIline& Add(const std::string& group, const std::string& section, const std::string& value);
  void Clear();
  // Position 1 to Count(); any other position throws std::out_of_range.
  INIline& Item(int position);
  const INIline& Item(int position) const;
  int Count() const { return static_cast<int>(lines_.size()); }
  // Position 1 to Count(); later lines move up by one. Throws std::out_of_range otherwise.
  void Remove(int position);

  auto begin() { return lines_.begin(); }
  auto end() { return lines_.end(); }
  auto begin() const { return lines_.begin(); }
  auto end() const { return lines_.end(); }

 private:
  void CheckPosition(int position) const;
  std::deque<INIline> lines_;
};
