#include "probe/FrameRate.h"

#include <charconv>

namespace trellimux {
namespace {

std::int64_t WholeNumber(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && value > 0 ? value : 0;
}

}  // namespace

FrameRate ReadFrameRate(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return {};
  const FrameRate rate{WholeNumber(text.substr(0, slash)), WholeNumber(text.substr(slash + 1))};
  return rate.num > 0 && rate.den > 0 ? rate : FrameRate{};
}

}  // namespace trellimux
