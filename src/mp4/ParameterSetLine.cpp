#include "mp4/ParameterSetLine.h"

#include "text/CommandText.h"

namespace trellimux {
namespace {

constexpr std::string_view kTo = " to";

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
