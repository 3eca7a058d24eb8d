#include "preview/DecodedFrames.h"

#include <gtest/gtest.h>

#include <string>

namespace trellimux {
namespace {

// Bitmaps named after their frame's time, all of one size.
std::string Bitmap(std::int64_t us) { return "frame" + std::to_string(1000000 + us); }
constexpr std::size_t kBitmapSize = 12;

std::string Found(const DecodedFrames& frames, std::int64_t targetUs) {
  const std::string* found = frames.Find(targetUs);
  return found ? *found : "nothing";
}

TEST(DecodedFrames, AnswersOnlyWhereTheFrameBeforeIsKeptToo) {
  DecodedFrames frames(1 << 20);
  for (std::int64_t us : {0, 40, 80, 120}) frames.Add(us, us == 0, Bitmap(us));
  frames.Break();  // a seek further on; two frames shown before its keyframe come first
  for (std::int64_t us : {360, 380, 400, 440}) frames.Add(us, us == 400, Bitmap(us));
  const struct {
    const char* what;
    std::int64_t target;
    std::string expected;
  } cases[] = {
      {"a frame's own time", 40, Bitmap(40)},
      {"between two frames: the later", 41, Bitmap(80)},
      {"the last of a run", 120, Bitmap(120)},
      {"the first kept: one before it may be missing", 0, "nothing"},
      {"past a run's last: the gap a seek left", 200, "nothing"},
      {"before the keyframe after a seek: not kept", 380, "nothing"},
      {"the keyframe after a seek: the first kept", 400, "nothing"},
      {"within the later run", 420, Bitmap(440)},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(frames, c.target), c.expected) << c.what;
}

TEST(DecodedFrames, AGapSplitsARunWithoutWaitingForAnIntraFrame) {
  DecodedFrames frames(1 << 20);
  frames.Add(0, true, Bitmap(0));
  frames.Add(40, false, Bitmap(40));
  frames.Gap();  // 80 left out
  for (std::int64_t us : {120, 160}) frames.Add(us, false, Bitmap(us));
  EXPECT_EQ(Found(frames, 40), Bitmap(40));
  EXPECT_EQ(Found(frames, 80), "nothing") << "not the frame after the one left out";
  EXPECT_EQ(Found(frames, 120), "nothing") << "the first after the gap";
  EXPECT_EQ(Found(frames, 160), Bitmap(160)) << "kept, though no intra frame came";
}

TEST(DecodedFrames, TheOldestGoFirstAndClearForgetsAll) {
  DecodedFrames frames(3 * kBitmapSize);
  for (std::int64_t us : {0, 40, 80, 120, 160}) frames.Add(us, us == 0, Bitmap(us));
  ASSERT_EQ(Bitmap(0).size(), kBitmapSize);
  EXPECT_EQ(Found(frames, 40), "nothing");
  EXPECT_EQ(Found(frames, 80), "nothing") << "80 is the first kept";
  EXPECT_EQ(Found(frames, 100), Bitmap(120));
  frames.Clear();
  EXPECT_EQ(Found(frames, 100), "nothing");
  for (std::int64_t us : {200, 240}) frames.Add(us, false, Bitmap(us));
  EXPECT_EQ(Found(frames, 220), "nothing") << "after a clear, only from an intra frame on";
}

}  // namespace
}  // namespace trellimux
