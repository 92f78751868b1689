#include "ini/INIlines.h"

#include <stdexcept>

INIline& INIlines::Add(const std::string& group, const std::string& section,
                       const std::string& value) {
  lines_.push_back(INIline{group, section, value});
  return lines_.back();
}

void INIlines::Clear() {
  lines_.clear();
}

void INIlines::CheckPosition(int position) const {
  if (position < 1 || position > Count())
    throw std::out_of_range("INIlines: position " + std::to_string(position) + " outside 1.." +
                            std::to_string(Count()));
}

INIline& INIlines::Item(int position) {
  CheckPosition(position);
  return lines_[position - 1];
}

const INIline& INIlines::Item(int position) const {
  CheckPosition(position);
  return lines_[position - 1];
}

void INIlines::Remove(int position) {
  CheckPosition(position);
  lines_.erase(lines_.begin() + (position - 1));
}
