// The batch of conversions on the job's worker thread: every file probed
// first (the batch's progress is measured over their durations), then each
// converted under its temporary name and renamed when ffmpeg ended well. A
// failed file does not stop the batch; a stopped one asks the window
// whether the rest is stopped too. The log keeps the whole batch.
#pragma once

#include "jobs/win/JobRunner.h"

namespace trellimux {

void RunConvertBatch(const JobDescription& job);

}  // namespace trellimux
