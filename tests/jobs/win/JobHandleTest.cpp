// A long session of jobs must not pile up handles: every probe and every
// ffmpeg run gives back all it opened, whichever thread opened it.
#include <gtest/gtest.h>

#include "app/win/WindowTestSupport.h"
#include "jobs/JobKind.h"
#include "jobs/win/HandleCount.h"
#include "jobs/win/RunnerTestSupport.h"

namespace trellimux::test {
namespace {

constexpr int kJobs = 100;
// Handles the platform opens or closes on its own schedule (a thread still
// being torn down, a cached object).
constexpr long kSlack = 2;

// Probes alternate with ffmpeg runs whose output goes through the reader
// thread.
JobDescription NthJob(RunnerWindow& runner, int n) {
  return n % 2 == 0 ? runner.Job(kConvertProbeJob, "", "input.ts")
                    : runner.Job(kConvertEasyJob, " status");
}

TEST(JobHandleTest, HundredJobsLeaveTheHandleCountWhereTheFirstLeftIt) {
  RunnerWindow runner;
  long afterFirst = -1;
  for (int n = 0; n < kJobs; ++n) {
    ASSERT_TRUE(StartJobThread(NthJob(runner, n)));
    ASSERT_TRUE(PumpUntil([&] { return runner.DoneMessages() > n; }, 20000)) << n;
    ASSERT_NE(runner.jobKind, kFailedJob) << n << ": " << runner.results.errorText;
    PumpUntil([] { return false; }, 20);  // the job thread ends after its message
    if (n == 0) afterFirst = HandleCountOf(GetCurrentProcess());
  }
  ASSERT_GT(afterFirst, 0);
  EXPECT_NEAR(HandleCountOf(GetCurrentProcess()), afterFirst, kSlack);
}

}  // namespace
}  // namespace trellimux::test
