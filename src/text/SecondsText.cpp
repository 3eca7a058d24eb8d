#include "text/SecondsText.h"

namespace trellimux {

std::string MicrosecondsAsSeconds(std::int64_t microseconds) {
  const bool negative = microseconds < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(microseconds)
                                           : static_cast<std::uint64_t>(microseconds);
  const std::string fraction = std::to_string(1000000 + magnitude % 1000000).substr(1);
  return (negative ? "-" : "") + std::to_string(magnitude / 1000000) + "." + fraction;
}

std::optional<std::int64_t> SecondsAsMicroseconds(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::int64_t whole = 0, fraction = 0, scale = 1000000;
  bool digits = false, point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (!point) {
        whole = whole * 10 + (c - '0');
      } else if (scale > 1) {
        scale /= 10;
        fraction += (c - '0') * scale;
      }
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  const std::int64_t value = whole * 1000000 + fraction;
  return negative ? -value : value;
}

}  // namespace trellimux
