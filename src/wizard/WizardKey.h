#pragma once
// A step key: a text (looked up among the keys given to AddPage, case-sensitive), a number
// (a 1-based page index), or absent. A text that reads as a number counts as a number.
#include <optional>
#include <string>
#include <variant>

class WizardKey {
 public:
  WizardKey() = default;  // absent
  WizardKey(const char* text) : value_(std::string(text)) {}
  WizardKey(std::string text) : value_(std::move(text)) {}
  WizardKey(int number) : value_(static_cast<double>(number)) {}
  WizardKey(double number) : value_(number) {}

  bool IsAbsent() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsNumberValue() const { return std::holds_alternative<double>(value_); }
  const std::string& Text() const;  // empty unless IsText()

  // The number this key stands for: a number, or a text that reads as one (blanks around it
  // allowed). None for absent keys, other texts, infinities and NaN.
  std::optional<double> Numeric() const;

  // Present, not empty, and either numeric or a non-empty text.
  bool IsValid() const;

  bool operator==(const WizardKey& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, std::string, double> value_;
};
