// A job's total from the input's probe report (ffprobe's default print
// format with -show_format): the "duration=" of its [FORMAT] section, the
// length of the whole file. The streams' own durations, in their sections,
// may be shorter or longer than the file's and are not read.
#pragma once

#include <optional>
#include <string_view>

#include "probe/SectionValues.h"

namespace trellimux {

// Seconds of the format section's duration ("123.456000" or, with
// -sexagesimal, "1:13:14.162000"); nothing without a format section or
// duration, for "N/A", or for a duration that is not above 0. Lines may end
// in CR LF, CR alone, LF alone or a NUL byte, as the report parser reads them.
std::optional<double> ProbedDuration(std::string_view report);

}  // namespace trellimux
