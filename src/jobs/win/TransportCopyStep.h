// A line of the Trim box the program runs itself: a Smart Copy cut put
// together from its pieces and the input's packets (TransportCopyLine),
// read from the input at any offset and written into the cut's file. A cancel request ends it after
// the block under way; the piece is then left as it is.
#pragma once

#include <string_view>

#include "jobs/FailureText.h"
#include "jobs/win/JobRunner.h"

namespace trellimux {

// False when the job failed: the line does not read as a copy, the input
// or a piece cannot be read, or the cut's file cannot be written. The failure's text
// names the cut as `which` says.
bool RunTransportCopy(const JobDescription& job, std::string_view line, const FfmpegRun& which);

}  // namespace trellimux
