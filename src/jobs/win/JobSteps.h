// The steps of the job runner that its jobs of several steps (the Trim
// sequence, the byte-copy join) share with the single runs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "jobs/FailureText.h"
#include "jobs/win/JobRunner.h"

namespace trellimux {

// The failure path: the text is kept for the window and the job kind
// becomes -1. The caller still ends the job with its one job-done message.
void Fail(const JobDescription& job, std::string text);

// Acts on a cancel request: true once, when the user's 1 became the
// runner's -1.
bool TakeCancelRequest(const JobDescription& job);

enum class FfmpegRunEnd {
  Failed,  // the child could not be started, or it ended with a non-zero
           // code without being cancelled; the job was failed
  Ended,   // the child ended, by itself or at a polite request
  Forced,  // the child was ended by force
};

// One ffmpeg.exe run with `arguments`, its output pumped into the log until
// it ends; cancel requests climb the stop ladder meanwhile. A failure's text
// names the run as `which` says; the job's progress counts it as its part
// `progressPart` (none: the part `which` names). The log's header is the
// caller's business.
FfmpegRunEnd RunFfmpeg(const JobDescription& job, const std::string& arguments,
                       const FfmpegRun& which = {},
                       std::optional<std::size_t> progressPart = std::nullopt);

}  // namespace trellimux
