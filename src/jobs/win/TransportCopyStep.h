// A line of the Trim box the program runs itself: the copy of a Smart Copy
// cut's video packets (TransportCopyLine), read from the input at any
// offset and written into a new piece file. A cancel request ends it after
// the block under way; the piece is then left as it is.
#pragma once

#include <string_view>

#include "jobs/FailureText.h"
#include "jobs/win/JobRunner.h"

namespace trellimux {

// False when the job failed: the line does not read as a copy, the input
// cannot be read there, or the piece cannot be written. The failure's text
// names the cut as `which` says.
bool RunTransportCopy(const JobDescription& job, std::string_view line, const FfmpegRun& which);

}  // namespace trellimux
