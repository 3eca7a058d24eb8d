// The job-progress messages a run sends as its status lines arrive, with
// the fake ffmpeg.exe printing forty lines of half a second of media each,
// 100 ms apart.
#include <gtest/gtest.h>

#include "app/win/WindowTestSupport.h"
#include "jobs/JobKind.h"
#include "jobs/win/RunnerTestSupport.h"

namespace trellimux::test {
namespace {

constexpr char kStatusLines[] = " status-lines 40";  // 20 s of media in 4 s

TEST(JobProgress, ReportsARisingShareAtMostFourTimesASecond) {
  RunnerWindow runner;
  JobDescription job = runner.Job(kConvertEasyJob, kStatusLines);
  job.progressParts = {{20, 20}};
  ASSERT_TRUE(runner.RunToEnd(job));
  const auto& progress = runner.Progress();
  ASSERT_GE(progress.size(), 8u);
  EXPECT_LE(progress.size(), 4 * 5u) << "more than four a second";
  for (std::size_t i = 1; i < progress.size(); ++i) {
    EXPECT_GE(progress[i].update.permille, progress[i - 1].update.permille);
    EXPECT_GE(progress[i].at - progress[i - 1].at, 200u) << "two reports within a quarter second";
  }
  EXPECT_GE(progress.back().update.permille, 900);
  EXPECT_EQ(progress.back().update.parts, 1);
}

TEST(JobProgress, NothingWithoutALengthOrAfterACancel) {
  RunnerWindow unmeasured;
  ASSERT_TRUE(unmeasured.RunToEnd(unmeasured.Job(kConvertEasyJob, kStatusLines)));
  EXPECT_TRUE(unmeasured.Progress().empty()) << "a job without a length keeps its marquee";

  RunnerWindow cancelled;
  JobDescription job = cancelled.Job(kConvertEasyJob, kStatusLines);
  job.progressParts = {{20, 20}};
  ASSERT_TRUE(StartJobThread(job));
  ASSERT_TRUE(PumpUntil([&] { return !cancelled.Progress().empty(); }, 20000));
  cancelled.cancelRequested = 1;
  PumpUntil([&] { return cancelled.cancelRequested == -1; }, 5000);
  const std::size_t before = cancelled.Progress().size();
  ASSERT_TRUE(PumpUntil([&] { return cancelled.DoneMessages() > 0; }, 20000));
  EXPECT_LE(cancelled.Progress().size(), before + 1) << "reports went on after the cancel";
}

}  // namespace
}  // namespace trellimux::test
