// The Trim job: one ffmpeg.exe run per cut, each writing one cut file, then
// the join that the Trim concat mode chooses. The caller ends the job with
// its job-done message.
#pragma once

#include "jobs/win/JobRunner.h"

namespace trellimux {

// Runs the cuts of `job.cutFilePaths` with the lines of the Trim box in
// `job.commandText` (line i for cut i, line n for the join), the log cleared
// once and then growing run by run. With no cuts the log stays as it was. A
// cancel acted on during a cut ends the job after that cut; a cut whose
// ffmpeg fails ends it as a failure that names the cut.
void RunTrimSequence(const JobDescription& job);

}  // namespace trellimux
