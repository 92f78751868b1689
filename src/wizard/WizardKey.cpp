#include "wizard/WizardKey.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

const std::string& WizardKey::Text() const {
  static const std::string kEmpty;
  const auto* text = std::get_if<std::string>(&value_);
  return text ? *text : kEmpty;
}

std::optional<double> WizardKey::Numeric() const {
  if (const auto* number = std::get_if<double>(&value_)) {
    if (!std::isfinite(*number)) return std::nullopt;
    return *number;
  }
  const auto* text = std::get_if<std::string>(&value_);
  if (!text) return std::nullopt;
  size_t first = 0, last = text->size();
  while (first < last && std::isspace(static_cast<unsigned char>((*text)[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>((*text)[last - 1]))) --last;
  if (first == last) return std::nullopt;
  std::string trimmed = text->substr(first, last - first);
  // strtod would also take hexadecimal, "inf" and "nan": none of them is a page number.
  for (char c : trimmed) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '+' && c != '-' &&
        c != 'e' && c != 'E') {
      return std::nullopt;
    }
  }
  char* end = nullptr;
  double value = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool WizardKey::IsValid() const {
  if (IsAbsent()) return false;
  if (IsNumberValue()) return Numeric().has_value();
  return !Text().empty();
}
