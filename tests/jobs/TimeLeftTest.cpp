#include <gtest/gtest.h>

#include <cmath>

#include "jobs/TimeLeft.h"

namespace trellimux {
namespace {

using std::chrono::seconds;
constexpr TimeLeftEstimate::Clock::time_point kStart{};

TimeLeftEstimate::Clock::time_point At(double wallSeconds) {
  return kStart + std::chrono::duration_cast<TimeLeftEstimate::Clock::duration>(
                      std::chrono::duration<double>(wallSeconds));
}

// Status lines every half second from `from` to `to`, `speed` media seconds
// a second on from `position`.
void RunAtSpeed(TimeLeftEstimate& estimate, double from, double to, double position, double speed) {
  for (double t = from; t <= to + 1e-9; t += 0.5)
    estimate.Reached(position + (t - from) * speed, At(t));
}

TEST(TimeLeft, NothingBeforeAPositionTheFirstSecondsOrAnyProgress) {
  TimeLeftEstimate estimate({{100, 100}}, kStart);
  EXPECT_EQ(estimate.Left(At(10)), std::nullopt);
  estimate.Reached(0, At(1));
  EXPECT_EQ(estimate.Left(At(10)), std::nullopt);
  estimate.Reached(4, At(2));
  EXPECT_EQ(estimate.Left(At(2.9)), std::nullopt);
  // From the first position on: 4 media seconds in one second, 24 s left at 2 s.
  EXPECT_EQ(estimate.Left(At(3)), seconds(23));
  estimate.Reached(4, At(23));                   // stalled for a whole window
  EXPECT_EQ(estimate.Left(At(23)), std::nullopt);
}

TEST(TimeLeft, SteadyPaceCountsDownAndFollowsAChange) {
  TimeLeftEstimate estimate({{600, 600}}, kStart);
  RunAtSpeed(estimate, 0.5, 60, 1, 2);
  EXPECT_EQ(estimate.Left(At(60)), seconds(240));
  EXPECT_EQ(estimate.Left(At(60.4)), seconds(240));  // rounded up
  EXPECT_EQ(estimate.Left(At(61)), seconds(239));
  RunAtSpeed(estimate, 60.5, 90, 120.5, 1);
  EXPECT_NEAR(estimate.Left(At(90))->count(), 450, 20);  // 225 s at the old pace
  RunAtSpeed(estimate, 90.5, 200, 150.5, 1);
  EXPECT_NEAR(estimate.Left(At(200))->count(), 340, 5);
  EXPECT_EQ(estimate.Left(At(600)), seconds(0));
}

// An encoder that writes 4 s of output every 2 s at a steady 2x: each step
// would move the unsmoothed time left by several seconds.
TEST(TimeLeft, OutputInBurstsDoesNotMakeItJump) {
  TimeLeftEstimate estimate({{150, 150}}, kStart);
  std::optional<seconds> previous;
  for (double t = 0.5; t <= 70; t += 0.5) {
    estimate.Reached(std::floor(t / 2) * 4, At(t));
    const std::optional<seconds> left = estimate.Left(At(t));
    ASSERT_EQ(left.has_value(), t >= 3) << t;
    if (previous) EXPECT_LE(std::abs((*left - *previous).count()), 3) << t;
    if (t >= 30) EXPECT_NEAR(left->count(), 75 - t, 3) << t;
    previous = left;
  }
}

// A Trim of cuts of 10, 20 and 10 s and a stream-copy join of their 40 s
// weighted a tenth: one fraction that never goes back over runs whose
// "time=" restarts at 0.
TEST(TimeLeft, PartsRunOneAfterAnother) {
  TimeLeftEstimate estimate({{10, 10}, {20, 20}, {10, 10}, {40, 4}}, kStart);
  const struct {
    int startPart;  // -1: none
    double position;
    std::size_t partIndex;
    double done;  // of 44
  } steps[] = {{-1, 9.9, 0, 9.9}, {1, 0, 1, 10}, {-1, 10, 1, 20}, {2, -0.02, 2, 30},
               {-1, 3, 2, 33},    {1, 2, 2, 33}, {3, 20, 3, 42},  {-1, 40.01, 3, 44}};
  double t = 0;
  for (const auto& step : steps) {
    if (step.startPart >= 0) estimate.StartPart(static_cast<std::size_t>(step.startPart), At(t));
    estimate.Reached(step.position, At(t += 1));
    EXPECT_EQ(estimate.PartIndex(), step.partIndex) << t;
    EXPECT_NEAR(estimate.Fraction(), step.done / 44, 1e-12) << t;
  }
  EXPECT_EQ(estimate.PartCount(), 4u);
  EXPECT_EQ(estimate.Left(At(t)), seconds(0));
}

}  // namespace
}  // namespace trellimux
