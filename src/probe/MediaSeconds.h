// Media times as ffmpeg and ffprobe print them: "00:01:02.50" in status and
// input lines, "62.500000" or, with -sexagesimal, "0:01:02.500000" in a
// probe report.
#pragma once

#include <optional>
#include <string_view>

namespace trellimux {

// Seconds of "[-]H:MM:SS[.fraction]" (any number of hour digits) or
// "[-]S[.fraction]"; nothing for "N/A" or any other text. The whole text
// must be the time.
std::optional<double> ParseMediaSeconds(std::string_view text);

}  // namespace trellimux
