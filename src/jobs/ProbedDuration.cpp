#include "jobs/ProbedDuration.h"

#include "jobs/MediaSeconds.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The first line of `text`, taken off its front with its line end.
std::string_view TakeLine(std::string_view& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsLineEnd(text[end])) ++end;
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end < text.size() ? end + 1 : end);
  return line;
}

}  // namespace

std::optional<std::string_view> FormatSectionValue(std::string_view report,
                                                  std::string_view key) {
  bool inFormat = false;
  while (!report.empty()) {
    const std::string_view line = TakeLine(report);
    if (EqualsIgnoringCase(line, "[FORMAT]")) {
      inFormat = true;
    } else if (EqualsIgnoringCase(line, "[/FORMAT]")) {
      inFormat = false;
    } else if (inFormat && line.size() > key.size() && line[key.size()] == '=' &&
               StartsWithIgnoringCase(line, key)) {
      return line.substr(key.size() + 1);
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
