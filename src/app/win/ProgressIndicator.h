// The progress bar while a process job runs: a marquee that shows activity,
// not an amount.
#pragma once

namespace trellimux {

void StartProgressIndicator();

// Stops the marquee and puts the bar back at 0.
void StopProgressIndicator();

}  // namespace trellimux
