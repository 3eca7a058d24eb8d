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

std::optional<double> ProbedDuration(std::string_view report) {
  constexpr std::string_view kKey = "duration=";
  bool inFormat = false;
  while (!report.empty()) {
    const std::string_view line = TakeLine(report);
    if (EqualsIgnoringCase(line, "[FORMAT]")) {
      inFormat = true;
    } else if (EqualsIgnoringCase(line, "[/FORMAT]")) {
      inFormat = false;
    } else if (inFormat && StartsWithIgnoringCase(line, kKey)) {
      const std::optional<double> seconds = ParseMediaSeconds(line.substr(kKey.size()));
      if (seconds && *seconds > 0) return seconds;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace trellimux
