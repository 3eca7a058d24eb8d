// The line of the Trim box for the step the program makes after an MP4
// cut's ffmpeg lines (CutMovieWithSourceSets), readable beside them and
// read back when the job runs:
//  Add the parameter sets of "in.mp4" "temp0-head.ts" "temp0-end.ts" to "temp0.mp4"
// (the source first, then the encoded pieces, if any).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

struct ParameterSetStep {
  std::string inputPath;
  std::vector<std::string> pieces;
  std::string cutPath;
};

inline constexpr std::string_view kParameterSetLineStart = " Add the parameter sets of";

std::string ParameterSetLine(const ParameterSetStep& step);

bool IsParameterSetLine(std::string_view line);

// Nothing when the line does not read as ParameterSetLine writes it.
std::optional<ParameterSetStep> ParseParameterSetLine(std::string_view line);

}  // namespace trellimux
