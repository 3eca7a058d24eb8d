// Runs jobs for the benchmarks and measures how long the window thread
// takes to answer a message meanwhile.
#pragma once

#include <windows.h>

#include <string>

#include "jobs/win/JobHost.h"

namespace trellimux::bench {

// Runs one job on the runner's thread while this thread pumps messages and a
// watcher thread pings the host window every 10 ms. Returns the wall time in
// milliseconds; `worstAnswerMs` gets the slowest answer to a ping.
double RunTimed(test::JobHost& host, const JobDescription& job, double* worstAnswerMs = nullptr);

double MillisecondsSince(LARGE_INTEGER start);
LARGE_INTEGER Now();

}  // namespace trellimux::bench
