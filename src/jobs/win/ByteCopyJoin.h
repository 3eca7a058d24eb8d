// The byte-copy join ("Windows File"): inputs appended one after the other
// to one output, moved in blocks of 8192 bytes (32 to a read), the
// progress bar counting the blocks. Failures go through the runner's failure
// path; the caller ends the job with its job-done message.
#pragma once

#include <string_view>

#include "jobs/win/JobRunner.h"

namespace trellimux {

// The Concat join: the log shows the join's sentence and a line per
// MPEG-TS part whose start was left out (a header before its first packet,
// packets that repeat the end of the part before); the Concat inputs in
// list order go into the Concat output, otherwise byte for byte.
void RunConcatByteCopyJoin(const JobDescription& job);

// The join that ends a Trim job in "Windows File" mode: the bar is switched
// from the marquee to the smooth style at 0, `note` (line n of the Trim box)
// is logged once the output exists, and the cut files go into the output.
void RunTrimByteCopyJoin(const JobDescription& job, std::string_view note);

}  // namespace trellimux
