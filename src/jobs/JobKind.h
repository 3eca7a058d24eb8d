// The job codes shared by the window thread and the job's worker thread, and
// the message with which the worker reports the end of a job.
#pragma once

namespace trellimux {

enum JobKind : int {
  kNoJob = 0,
  kConcatByteCopyJob = 1,
  kConcatJob = 2,
  kConvertProbeJob = 4,
  kConvertEasyJob = 8,
  kConvertExpertJob = 16,
  kTrimProbeJob = 32,
  kTrimJob = 64,
  kConvertBatchJob = 128,  // several Convert inputs, one after the other
  kFailedJob = -1,
};

// The platform's first private message number (1024) plus 256, posted to
// the main window with both parameters 0, once per job.
inline constexpr unsigned kJobDoneMessage = 1280;

inline bool IsProbeJob(int kind) { return kind == kConvertProbeJob || kind == kTrimProbeJob; }

// One ffmpeg run with the command text of a page's box.
inline bool IsSingleRunJob(int kind) {
  return kind == kConcatJob || kind == kConvertEasyJob || kind == kConvertExpertJob;
}

}  // namespace trellimux
