#include "probe/ProbedDuration.h"

#include "probe/MediaSeconds.h"

namespace trellimux {

std::optional<double> ProbedDuration(std::string_view report) {
  const std::optional<std::string_view> text = FormatSectionValue(report, "duration");
  if (!text) return std::nullopt;
  const std::optional<double> seconds = ParseMediaSeconds(*text);
  if (seconds && *seconds > 0) return seconds;
  return std::nullopt;
}

}  // namespace trellimux
