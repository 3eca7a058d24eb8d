// A line of the Trim box the program runs itself: the source's parameter
// sets added to an MP4 cut's sample description (ParameterSetLine), its
// movie box written again in place.
#pragma once

#include <string_view>

#include "jobs/FailureText.h"
#include "jobs/win/JobRunner.h"

namespace trellimux {

// False when the job failed: the line does not read as the step, a file
// cannot be read or written, or its boxes are not as the step needs. The
// failure's text names the cut as `which` says.
bool RunParameterSetStep(const JobDescription& job, std::string_view line, const FfmpegRun& which);

}  // namespace trellimux
