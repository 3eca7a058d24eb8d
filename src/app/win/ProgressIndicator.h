// The progress bar while a job runs: a marquee that shows activity while a
// program works, a filling bar while files are joined byte by byte.
#pragma once

#include "jobs/ProgressUpdate.h"

namespace trellimux {

void StartProgressIndicator();

// For the byte-copy join, which counts its blocks on the bar: the smooth
// style at position 0.
void PrepareSmoothProgress();

// The runner's report of the share done: the bar shows it (a marquee
// becomes a plain bar), the frame's caption the share and the time left,
// and the taskbar button the share too.
void ShowJobShare(const ProgressUpdate& update);

// Stops the marquee and puts the bar back at 0, the frame's caption and the
// taskbar button as they are while no job runs.
void StopProgressIndicator();

}  // namespace trellimux
