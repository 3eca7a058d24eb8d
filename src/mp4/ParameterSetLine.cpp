#include "mp4/ParameterSetLine.h"

#include "text/CommandText.h"

namespace trellimux {
namespace {

constexpr std::string_view kTo = " to";

// A blank and a path between double quotes at the front of `text`, dropped.
bool TakeQuotedPath(std::string_view& text, std::string& path) {
  if (!text.starts_with(" \"")) return false;
  text.remove_prefix(2);
  const std::size_t end = text.find('"');
  if (end == std::string_view::npos || end == 0) return false;
  path = text.substr(0, end);
  text.remove_prefix(end + 1);
  return true;
}

}  // namespace

std::string ParameterSetLine(const ParameterSetStep& step) {
  std::string line(kParameterSetLineStart);
  AppendQuotedPath(line, step.inputPath);
  for (const std::string& piece : step.pieces) AppendQuotedPath(line, piece);
  line += kTo;
  AppendQuotedPath(line, step.cutPath);
  return line;
}

bool IsParameterSetLine(std::string_view line) { return line.starts_with(kParameterSetLineStart); }

std::optional<ParameterSetStep> ParseParameterSetLine(std::string_view line) {
  ParameterSetStep step;
  if (!line.starts_with(kParameterSetLineStart)) return std::nullopt;
  line.remove_prefix(kParameterSetLineStart.size());
  if (!TakeQuotedPath(line, step.inputPath)) return std::nullopt;
  while (line.starts_with(" \"")) {
    if (!TakeQuotedPath(line, step.pieces.emplace_back())) return std::nullopt;
  }
  if (!line.starts_with(kTo)) return std::nullopt;
  line.remove_prefix(kTo.size());
  if (!TakeQuotedPath(line, step.cutPath) || !line.empty()) return std::nullopt;
  return step;
}

}  // namespace trellimux
