#include "cmdline/ProbedValues.h"

#include <cstdint>
#include <optional>

#include "cmdline/EncoderFacts.h"

namespace trellimux {
namespace {

constexpr std::uint64_t kMaxVideoRate = 1000;

struct Fraction {
  std::uint64_t numerator;
  std::uint64_t denominator;
};

// Digits only, at most 18 of them; nullopt for any other text.
std::optional<std::uint64_t> ReadDigits(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

// "N:M", "N/M" or (when `whole` is allowed) "N"; nullopt for other texts.
std::optional<Fraction> ReadFraction(std::string_view text, bool whole) {
  const std::size_t separator = text.find_first_of(":/");
  if (separator == std::string_view::npos) {
    if (!whole) return std::nullopt;
    std::optional<std::uint64_t> value = ReadDigits(text);
    return value ? std::optional<Fraction>({*value, 1}) : std::nullopt;
  }
  std::optional<std::uint64_t> numerator = ReadDigits(text.substr(0, separator));
  std::optional<std::uint64_t> denominator = ReadDigits(text.substr(separator + 1));
  if (!numerator || !denominator) return std::nullopt;
  return Fraction{*numerator, *denominator};
}

}  // namespace

std::string_view KnownDimension(std::string_view text) {
  std::optional<std::uint64_t> value = ReadDigits(text);
  return value && *value == 0 ? std::string_view{} : text;
}

std::string_view KnownRatio(std::string_view text) {
  std::optional<Fraction> ratio = ReadFraction(text, false);
  if (ratio && (ratio->numerator == 0 || ratio->denominator == 0)) return {};
  return text;
}

std::string FilterRatio(std::string_view text) {
  std::string ratio(text);
  const std::size_t colon = ratio.find(':');
  if (colon != std::string::npos && ReadFraction(text, false)) ratio[colon] = '/';
  return ratio;
}

std::string_view KnownFrameRate(std::string_view text) {
  std::optional<Fraction> rate = ReadFraction(text, true);
  if (!rate) return text;
  if (rate->numerator == 0 || rate->denominator == 0) return {};
  if (rate->numerator > kMaxVideoRate * rate->denominator) return {};
  return text;
}

std::string_view KnownLevel(std::string_view codec, std::string_view text) {
  if (CodecWithoutProfiles(codec)) return {};
  const bool negative = !text.empty() && text.front() == '-';
  std::optional<std::uint64_t> value = ReadDigits(negative ? text.substr(1) : text);
  if (value && (negative || *value == 0)) return {};
  return text;
}

}  // namespace trellimux
