// The lines of a tool's report as the parsers read them: a line ends at CR,
// LF or a NUL byte, so CR LF, CR alone and LF alone all work.
#pragma once

#include <optional>
#include <string_view>

#include "text/AsciiText.h"

namespace trellimux {

constexpr bool IsReportLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The first line of `text`, taken off its front with its line end.
constexpr std::string_view TakeReportLine(std::string_view& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsReportLineEnd(text[end])) ++end;
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end < text.size() ? end + 1 : end);
  return line;
}

// The value of a "key=value" line when the line has that key (in any case).
constexpr std::optional<std::string_view> ReportLineValue(std::string_view line,
                                                          std::string_view key) {
  if (line.size() <= key.size() || line[key.size()] != '=' || !StartsWithIgnoringCase(line, key))
    return std::nullopt;
  return line.substr(key.size() + 1);
}

}  // namespace trellimux
