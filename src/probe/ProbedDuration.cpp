#include "probe/ProbedDuration.h"

#include "probe/MediaSeconds.h"
#include "text/AsciiText.h"
#include "text/ReportLines.h"

namespace trellimux {

std::optional<std::string_view> FormatSectionValue(std::string_view report,
                                                  std::string_view key) {
  bool inFormat = false;
  while (!report.empty()) {
    const std::string_view line = TakeReportLine(report);
    if (EqualsIgnoringCase(line, "[FORMAT]")) {
      inFormat = true;
    } else if (EqualsIgnoringCase(line, "[/FORMAT]")) {
      inFormat = false;
    } else if (inFormat) {
      if (const std::optional<std::string_view> value = ReportLineValue(line, key)) return value;
    }
  }
  return std::nullopt;
}

std::optional<double> ProbedDuration(std::string_view report) {
  const std::optional<std::string_view> text = FormatSectionValue(report, "duration");
  if (!text) return std::nullopt;
  const std::optional<double> seconds = ParseMediaSeconds(*text);
  if (seconds && *seconds > 0) return seconds;
  return std::nullopt;
}

}  // namespace trellimux
