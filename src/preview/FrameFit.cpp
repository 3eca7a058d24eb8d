#include "preview/FrameFit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace trellimux {
namespace {

// "16:9" as 16/9; nothing for "0:1", "N/A", "" or a ratio no picture has.
std::optional<double> Ratio(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  int numerator = 0, denominator = 0;
  const char* end = text.data() + text.size();
  const auto first = std::from_chars(text.data(), text.data() + colon, numerator);
  const auto second = std::from_chars(text.data() + colon + 1, end, denominator);
  if (first.ec != std::errc{} || second.ec != std::errc{} || second.ptr != end ||
      first.ptr != text.data() + colon || numerator <= 0 || denominator <= 0)
    return std::nullopt;
  const double ratio = static_cast<double>(numerator) / denominator;
  if (ratio < 0.1 || ratio > 10) return std::nullopt;
  return ratio;
}

}  // namespace

double DisplayAspect(int width, int height, std::string_view sampleAspect,
                     std::string_view displayAspect) {
  if (const std::optional<double> display = Ratio(displayAspect)) return *display;
  if (width <= 0 || height <= 0) return 16.0 / 9.0;
  const double picture = static_cast<double>(width) / height;
  return picture * Ratio(sampleAspect).value_or(1.0);
}

FrameBox FitFrame(double aspect, int boxWidth, int boxHeight) {
  FrameBox box;
  if (aspect * boxHeight <= boxWidth) {
    box.height = boxHeight;
    box.width = static_cast<int>(std::lround(aspect * boxHeight));
  } else {
    box.width = boxWidth;
    box.height = static_cast<int>(std::lround(boxWidth / aspect));
  }
  box.width = std::clamp(box.width, 1, std::max(boxWidth, 1));
  box.height = std::clamp(box.height, 1, std::max(boxHeight, 1));
  box.x = (boxWidth - box.width) / 2;
  box.y = (boxHeight - box.height) / 2;
  return box;
}

std::string PreviewScaleFilter(int width, int height) {
  return "scale=" + std::to_string(width) + ":" + std::to_string(height) + ":flags=area";
}

}  // namespace trellimux
