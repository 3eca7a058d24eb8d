// The progress bar while a job runs: a marquee that shows activity while a
// program works, a filling bar while files are joined byte by byte.
#pragma once

namespace trellimux {

void StartProgressIndicator();

// For the byte-copy join, which counts its blocks on the bar: the smooth
// style at position 0.
void PrepareSmoothProgress();

// Stops the marquee and puts the bar back at 0.
void StopProgressIndicator();

}  // namespace trellimux
