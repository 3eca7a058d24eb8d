// The window's side of jobs: starting one from what the page shows, the
// probes that follow an input choice, and the completion handling when the
// worker reports the end.
#pragma once

#include <cstdint>
#include <string>

#include "jobs/win/JobRunner.h"

namespace trellimux {

// Enters the busy state, prepares the progress bar (a marquee, or the
// smooth bar that the byte-copy join fills), sets the job kind and starts
// the runner. `job` brings its kind and what the start operation gathered;
// the window, the flags and the tool folder are added here. Kinds 2, 8 and
// 16 take the command text of their page's box as it stands now.
void StartJob(JobDescription job);

// After an input was chosen on the Convert or the Trim page: the path goes
// into the page's input box, the page's tables are emptied and the probe
// job starts.
void StartConvertProbe(const std::string& inputPath);
void StartTrimProbe(const std::string& inputPath);

// The runner's job-progress message, with its two parameters: the bar,
// the frame's caption and the taskbar button show the share done while a
// job runs.
void OnJobProgress(std::uint32_t first, std::int32_t second);

// The job-done message: the outcome is shown and the window becomes idle;
// after a close the user agreed to while the job ran, the window closes
// instead, without a box.
void OnJobDone();

// A batch's worker asks, after "Cancel Job" stopped a file, whether the
// rest is stopped too: true for Yes, and without asking while the window
// closes.
bool StopTheRestOfTheBatch();

// A request to close the window: true when it may close now. While a job
// runs the user is asked first; Yes requests the cancel as "Cancel Job"
// does, and the window closes when the job has ended.
bool MayCloseNow();

}  // namespace trellimux
