#include "text/ByteSizeText.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace trellimux {

std::string ByteSizeText(std::int64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  constexpr std::array<std::string_view, 3> kUnits = {"KiB", "MiB", "GiB"};
  double value = static_cast<double>(bytes) / 1024;
  std::size_t unit = 0;
  while (unit + 1 < kUnits.size() && value >= 1024) {
    value /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, value >= 9.95 ? "%.0f %s" : "%.1f %s", value,
                std::string(kUnits[unit]).c_str());
  return text;
}

}  // namespace trellimux
