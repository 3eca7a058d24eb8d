#include "probe/MediaSeconds.h"

#include <charconv>

#include "text/AsciiText.h"

namespace trellimux {
namespace {

// A run of one or more digits at the front of `text`, taken off it.
std::optional<double> TakeWholeNumber(std::string_view& text) {
  std::size_t digits = 0;
  while (digits < text.size() && IsAsciiDigit(text[digits])) ++digits;
  if (digits == 0) return std::nullopt;
  double value = 0;
  for (std::size_t i = 0; i < digits; ++i) value = value * 10 + (text[i] - '0');
  text.remove_prefix(digits);
  return value;
}

// Digits with an optional fraction ("05", "05.67", "62.500000"), the whole
// text. Read without the locale: the program never sets one, but a decimal
// comma must not sneak in.
std::optional<double> ParseSeconds(std::string_view text) {
  if (text.empty() || !IsAsciiDigit(text.front())) return std::nullopt;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseMediaSeconds(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::optional<double> seconds;
  if (text.find(':') == std::string_view::npos) {
    seconds = ParseSeconds(text);
  } else {
    const std::optional<double> hours = TakeWholeNumber(text);
    if (!hours || text.empty() || text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    const std::optional<double> minutes = TakeWholeNumber(text);
    if (!minutes || text.empty() || text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    const std::optional<double> rest = ParseSeconds(text);
    if (rest) seconds = *hours * 3600 + *minutes * 60 + *rest;
  }
  if (seconds && negative) *seconds = -*seconds;
  return seconds;
}

}  // namespace trellimux
