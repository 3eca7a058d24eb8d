#include "jobs/ProgressParts.h"

#include <gtest/gtest.h>

#include "jobs/ProgressUpdate.h"

namespace trellimux {
namespace {

TEST(ProgressParts, ConvertMeasuresThePickedSpanWithinTheProbedLength) {
  struct Case {
    std::optional<double> probed, start, end;
    std::vector<JobPart> expected;
  };
  const Case cases[] = {
      {120.5, {}, {}, {{120.5, 120.5}}},
      {120, 20, {}, {{100, 100}}},
      {120, 20, 50, {{30, 30}}},
      {120, {}, 500, {{120, 120}}},   // an end past the input ends with it
      {{}, 10, 40, {{30, 30}}},       // no probed length: the pickers alone
      {{}, {}, {}, {}},               // nothing known: a marquee
      {120, 130, {}, {}},             // a start past the end
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertProgressParts(c.probed, c.start, c.end), c.expected);
}

TEST(ProgressParts, TrimHasAPartPerCutAndOneForAnFfmpegJoin) {
  const std::vector<Cut> cuts{{"00:00:01.000", "00:00:07.500"}, {"00:01:00.000", "00:01:10.000"}};
  EXPECT_EQ(TrimProgressParts(cuts, false, false),
            (std::vector<JobPart>{{6.5, 6.5}, {10, 10}}));
  EXPECT_EQ(TrimProgressParts(cuts, false, true),
            (std::vector<JobPart>{{6.5, 6.5}, {10, 10}, {16.5, 16.5}}));
  // After reencoded cuts the copying join goes many times faster.
  EXPECT_EQ(TrimProgressParts(cuts, true, true).back().weight,
            16.5 * kCopyJoinAfterReencodeShare);
  EXPECT_TRUE(TrimProgressParts({{"00:00:05.000", "00:00:05.000"}}, false, true).empty());
}

TEST(ProgressParts, ConcatSumsItsInputsOrKnowsNothing) {
  EXPECT_EQ(ConcatProgressParts({8.0, 8.5, 7.5}), (std::vector<JobPart>{{24, 24}}));
  EXPECT_TRUE(ConcatProgressParts({8.0, std::nullopt}).empty());
  EXPECT_TRUE(ConcatProgressParts({}).empty());
}

TEST(ProgressUpdate, TravelsWholeInTheMessageParameters) {
  const ProgressUpdate updates[] = {
      {},
      {.permille = 1000, .part = 3, .parts = 4, .lastIsJoin = true, .secondsLeft = 36000},
      {.permille = 421, .part = 1, .parts = 3, .secondsLeft = 190},
      {.permille = 421, .part = 6, .parts = 8, .files = true, .secondsLeft = 190},
  };
  for (const ProgressUpdate& update : updates) {
    const auto [first, second] = PackProgress(update);
    EXPECT_EQ(UnpackProgress(first, second), update);
  }
  // Values beyond their fields are kept within them.
  const auto [first, second] = PackProgress({.permille = 5000, .part = -1, .secondsLeft = -9});
  EXPECT_EQ(UnpackProgress(first, second), (ProgressUpdate{.permille = 1000}));
}

TEST(ProgressUpdate, CaptionNamesTheCutOrTheJoin) {
  struct Case {
    ProgressUpdate update;
    const char* caption;
  };
  const Case cases[] = {
      {{.permille = 421}, " Progress 42% "},
      {{.permille = 421, .secondsLeft = 190}, " 42% \xE2\x80\x93 3:10 left "},
      {{.permille = 500, .part = 1, .parts = 4, .lastIsJoin = true}, " Cut 2/3 \xC2\xB7 50% "},
      {{.permille = 950, .part = 3, .parts = 4, .lastIsJoin = true, .secondsLeft = 5},
       " Joining \xC2\xB7 0:05 left "},
      {{.permille = 500, .part = 2, .parts = 3}, " Cut 3/3 \xC2\xB7 50% "},  // cuts only
      {{.permille = 500, .part = 3, .parts = 8, .files = true}, " File 4/8 \xC2\xB7 50% "},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressCaptionOf(c.update), c.caption);
}

}  // namespace
}  // namespace trellimux
