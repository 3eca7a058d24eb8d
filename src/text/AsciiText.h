// Text helpers for the program's 8-bit text (UTF-8). Codec, profile, type and
// path comparisons ignore the case of ASCII letters only; bytes above 0x7F
// (the parts of other letters) compare as they are, as the platform's own
// case-insensitive helpers do for the names we handle.
#pragma once

#include <cstdint>
#include <string_view>

namespace trellimux {

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
}

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// One digit or more, and nothing else.
constexpr bool AllAsciiDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsAsciiDigit(c)) return false;
  return true;
}

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Reads a decimal integer the way the report's numbers are read: an optional
// minus sign and the leading digits; reading stops at the first other
// character; no digits read as 0. The value wraps modulo 2^32 instead of
// overflowing, so any text gives a defined result.
constexpr std::int32_t ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace trellimux
