#include "preview/FrameSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace trellimux {
namespace {

// A TS whose time stamps begin at 1.469089 s, 25 frames a second (the
// first at 1.48 s), a keyframe every 2 s.
constexpr std::int64_t kStart = 1469089;
constexpr std::int64_t kFrame = 40000;
std::int64_t FrameUs(int n) { return 1480000 + n * kFrame; }

// A goal for frame `n`, with the keyframe at frame `keyframe` listed (its
// seek 1 ms before it, as the list gives) or none (-1).
FrameGoal Goal(int n, int keyframe) {
  FrameGoal goal{FrameUs(n), std::nullopt, std::nullopt, kStart};
  if (keyframe >= 0) {
    goal.keyframeUs = FrameUs(keyframe);
    // The keyframe list gives no seek before the start.
    goal.keyframeSeekUs = std::max(FrameUs(keyframe) - 81000, kStart);
  }
  return goal;
}

TEST(FrameSearch, ReadsOnWhenThatDecodesLessThanASeek) {
  const struct {
    const char* what;
    int frame, keyframe;
    std::optional<std::int64_t> decodedUs;
    std::optional<std::int64_t> seek;
  } cases[] = {
      {"just started, the first frame", 0, 0, kStart - 1000, std::nullopt},
      {"just started, within a second", 24, 0, kStart - 1000, std::nullopt},
      {"the next frame", 31, 25, FrameUs(30), std::nullopt},
      {"1 s ahead, past a keyframe", 60, 50, FrameUs(35), std::nullopt},
      {"further ahead, same keyframe", 49, 25, FrameUs(26), std::nullopt},
      {"further ahead, a later keyframe", 75, 75, FrameUs(30), FrameUs(75) - 81000},
      {"unlisted, further ahead: a second before it", 80, -1, FrameUs(30), FrameUs(55)},
      {"the same frame again", 30, 25, FrameUs(30), FrameUs(25) - 81000},
      {"back, to the first keyframe", 10, 0, FrameUs(30), kStart - 1000000},
      {"while a seek is under way", 31, 25, std::nullopt, FrameUs(25) - 81000},
      {"the first keyframe, seek given as the start", 0, 0, std::nullopt, kStart - 1000000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FrameSearch(Goal(c.frame, c.keyframe), c.decodedUs).FirstSeek(), c.seek) << c.what;
  }
}

// The frames read in order, and what the search says of each.
std::vector<FrameSearch::Step> Steps(FrameSearch& search,
                                     const std::vector<std::optional<std::int64_t>>& frames) {
  std::vector<FrameSearch::Step> steps;
  for (const auto& frame : frames) {
    steps.push_back(search.OnFrame(frame));
    if (steps.back() == FrameSearch::Step::Take) break;
  }
  return steps;
}

TEST(FrameSearch, TakesTheFirstFrameAtOrAfterTheTarget) {
  using Step = FrameSearch::Step;
  FrameSearch listed(Goal(27, 25), FrameUs(70));
  EXPECT_EQ(Steps(listed, {FrameUs(25), std::nullopt, FrameUs(27) + 400, FrameUs(28)}),
            (std::vector{Step::ReadOn, Step::ReadOn, Step::Take}))
      << "a frame without a time stamp is read over; 90 kHz rounding counts";
  // Between two frames: the later one.
  FrameGoal between = Goal(27, 25);
  between.targetUs += 10000;
  FrameSearch inBetween(between, FrameUs(70));
  EXPECT_EQ(Steps(inBetween, {FrameUs(25), FrameUs(26), FrameUs(27), FrameUs(28)}),
            (std::vector{Step::ReadOn, Step::ReadOn, Step::ReadOn, Step::Take}));
}

TEST(FrameSearch, SeeksEarlierWhenTheSeekLandedPastTheTarget) {
  using Step = FrameSearch::Step;
  // Unlisted: a second before the frame, then 1 s, 4 s and 15 s further
  // back, and then the frame it gives is taken.
  FrameSearch unlisted(Goal(1000, -1), std::nullopt);
  EXPECT_EQ(unlisted.FirstSeek(), FrameUs(975));
  const std::int64_t late = FrameUs(1050);
  std::vector<std::int64_t> seeks;
  for (int seek = 0; seek < 3; ++seek) {
    ASSERT_EQ(unlisted.OnFrame(late), Step::SeekAgain);
    seeks.push_back(unlisted.SeekUs());
  }
  EXPECT_EQ(seeks, (std::vector<std::int64_t>{FrameUs(950), FrameUs(850), FrameUs(475)}));
  EXPECT_EQ(unlisted.OnFrame(late), Step::Take);

  // Only the first frame after a seek tells where it landed.
  FrameSearch landed(Goal(1000, -1), std::nullopt);
  EXPECT_EQ(Steps(landed, {FrameUs(1060), FrameUs(975), FrameUs(999), FrameUs(1000)}),
            (std::vector{Step::SeekAgain, Step::ReadOn, Step::ReadOn, Step::Take}));

  // A seek 1 s before the input's start lands on its first packet: none goes
  // further, and the frame it gives is taken (here the first keyframe, after
  // the target).
  FrameSearch early(Goal(30, -1), std::nullopt);
  EXPECT_EQ(early.FirstSeek(), FrameUs(5));
  std::vector<Step> steps;
  seeks.clear();
  for (int frame = 0; frame < 3; ++frame) {
    steps.push_back(early.OnFrame(FrameUs(50)));
    if (steps.back() == Step::SeekAgain) seeks.push_back(early.SeekUs());
  }
  EXPECT_EQ(steps, (std::vector{Step::SeekAgain, Step::SeekAgain, Step::Take}));
  EXPECT_EQ(seeks, (std::vector<std::int64_t>{FrameUs(5) - 1000000, kStart - 1000000}));
}

// The decoder's output ended with no frame after the seek: it landed past
// the last keyframe, and the frames after it were dropped to the end.
TEST(FrameSearch, SeeksEarlierWhenTheOutputEndedBeforeAFrameCame) {
  using Step = FrameSearch::Step;
  FrameSearch nearTheEnd(Goal(95, -1), FrameUs(40));
  EXPECT_EQ(nearTheEnd.FirstSeek(), FrameUs(70));
  EXPECT_EQ(nearTheEnd.OnEnd(), Step::SeekAgain);
  EXPECT_EQ(nearTheEnd.SeekUs(), FrameUs(45));
  EXPECT_EQ(Steps(nearTheEnd, {FrameUs(90), FrameUs(95)}), (std::vector{Step::ReadOn, Step::Take}));
  // Read on from where it stood, or frames came after the seek: what was
  // read is all there is.
  FrameSearch readingOn(Goal(35, -1), FrameUs(30));
  EXPECT_EQ(readingOn.OnEnd(), Step::Take);
  FrameSearch framesCame(Goal(95, -1), FrameUs(40));
  EXPECT_EQ(framesCame.OnFrame(FrameUs(90)), Step::ReadOn);
  EXPECT_EQ(framesCame.OnEnd(), Step::Take);
}

TEST(FrameSearch, GivesUpOnADecoderWhoseFramesNeverReachTheTarget) {
  FrameSearch search(Goal(100000, -1), FrameUs(99990));
  int read = 1;
  while (search.OnFrame(std::nullopt) == FrameSearch::Step::ReadOn) ++read;
  EXPECT_EQ(read, 3000);
}

}  // namespace
}  // namespace trellimux
