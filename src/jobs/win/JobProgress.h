// A job's progress as its ffmpeg runs report it: their status lines are
// read on the runner's thread, and the window gets the share done and the
// time left by the job-progress message, at most four times a second, so
// that it has no more to do per status line than one bar and one caption
// update. A job without a known length reports nothing: the bar stays a
// marquee.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "jobs/FailureText.h"
#include "jobs/ProgressUpdate.h"
#include "jobs/StatusLine.h"
#include "jobs/TimeLeft.h"

namespace trellimux {

struct JobDescription;

class JobProgress {
 public:
  using Clock = TimeLeftEstimate::Clock;

  // Measured against `parts`; none: nothing is reported.
  JobProgress(const JobDescription& job, std::vector<JobPart> parts);

  // A run starts: the part `which` names (a cut, the join, the only run),
  // or `part` when given (a line of a cut of several).
  void StartRun(const FfmpegRun& which, std::optional<std::size_t> part = std::nullopt);
  // The next bytes of the running child's output.
  void Read(std::string_view output);

 private:
  void Report(Clock::time_point now, bool nowOrNever);
  std::size_t RunIndex() const;
  std::size_t RunCount() const;

  const JobDescription& job_;
  std::optional<TimeLeftEstimate> estimate_;
  StatusLineReader reader_;
  bool lastIsJoin_ = false;
  FfmpegRun run_{FfmpegRun::kCut, 1, 1};
  std::optional<ProgressUpdate> sent_;
  Clock::time_point sentAt_{};
};

}  // namespace trellimux
