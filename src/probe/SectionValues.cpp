#include "probe/SectionValues.h"

#include <string>

#include "text/AsciiText.h"
#include "text/ReportLines.h"

namespace trellimux {
namespace {

// The value of `key` in the `index`-th section named `name` ("FORMAT").
std::optional<std::string_view> SectionValue(std::string_view report, std::string_view name,
                                             std::size_t index, std::string_view key) {
  const std::string open = "[" + std::string(name) + "]", close = "[/" + std::string(name) + "]";
  std::size_t seen = 0;
  bool inside = false;
  while (!report.empty()) {
    const std::string_view line = TakeReportLine(report);
    if (EqualsIgnoringCase(line, open)) {
      inside = seen++ == index;
    } else if (EqualsIgnoringCase(line, close)) {
      if (inside) return std::nullopt;
      inside = false;
    } else if (inside) {
      if (const std::optional<std::string_view> value = ReportLineValue(line, key)) return value;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> FormatSectionValue(std::string_view report, std::string_view key) {
  return SectionValue(report, "FORMAT", 0, key);
}

std::optional<std::string_view> StreamSectionValue(std::string_view report, std::size_t index,
                                                   std::string_view key) {
  return SectionValue(report, "STREAM", index, key);
}

}  // namespace trellimux
