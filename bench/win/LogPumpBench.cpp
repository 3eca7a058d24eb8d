// Log pump throughput: 20 MB of child output (the fake ffmpeg of the runner
// tests) pumped into the program's log window, in MB/s, and the slowest
// answer of the window thread to a message meanwhile (goal: never more than
// 100 ms). For comparison, the same with a child that writes 1 MB.
//   log_pump_bench [MEGABYTES]   (default 20)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/win/TimedJob.h"
#include "jobs/JobKind.h"
#include "jobs/win/JobHost.h"

using namespace trellimux;
using namespace trellimux::bench;
using trellimux::test::JobHost;
using trellimux::test::ProgramFolder;

namespace {

void Measure(long long megabytes) {
  JobHost host;
  const long long bytes = megabytes * 1024 * 1024;
  double worstAnswer = 0;
  const JobDescription job =
      host.Job(kConvertEasyJob, ProgramFolder() + "\\fake-tools", " bulk " + std::to_string(bytes));
  const double elapsed = RunTimed(host, job, &worstAnswer);
  const bool whole = host.LogText().size() >= static_cast<std::size_t>(bytes);
  std::printf("%lld MB: %.1f s, %.2f MB/s, worst window answer %.0f ms (goal <= 100)%s\n",
              megabytes, elapsed / 1000, megabytes / (elapsed / 1000), worstAnswer,
              whole ? "" : ", LOG INCOMPLETE");
}

}  // namespace

int main(int argc, char** argv) {
  Measure(1);
  Measure(argc > 1 ? std::atoll(argv[1]) : 20);
  return 0;
}
