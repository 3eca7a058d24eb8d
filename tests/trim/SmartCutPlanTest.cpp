#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trim/SmartCutPlan.h"

namespace trellimux {
namespace {

constexpr std::int64_t kFrameUs = 40000;  // 25 fps
constexpr std::int64_t kStartUs = 1400000;

std::int64_t FrameTime(int frame) { return kStartUs + frame * kFrameUs; }

// Packets in decoding order for GOPs written in display order ("IBBP..."):
// each I or P is decoded before the B-frames shown before it, so B-frames
// at the end of a GOP are the next keyframe's leading pictures (an open
// GOP); a GOP that ends with a P is closed. Decoding times run one frame
// behind, as with B-frames.
std::vector<VideoPacket> Stream(const std::string& gop, int gops) {
  const std::string display = [&] {
    std::string all;
    for (int i = 0; i < gops; ++i) all += gop;
    return all;
  }();
  std::vector<int> order, waiting;
  for (int frame = 0; frame < static_cast<int>(display.size()); ++frame) {
    if (display[frame] == 'B') {
      waiting.push_back(frame);
      continue;
    }
    order.push_back(frame);
    order.insert(order.end(), waiting.begin(), waiting.end());
    waiting.clear();
  }
  std::vector<VideoPacket> packets;
  for (std::size_t i = 0; i < order.size(); ++i)
    packets.push_back({FrameTime(order[i]), FrameTime(static_cast<int>(i) - 1),
                       display[order[i]] == 'I', static_cast<std::int64_t>(i) * 1000});
  return packets;
}

struct Frames {
  int first = 0;
  int last = -1;        // before first: no frames
  int decodeFrom = -1;  // the keyframe an encoded run decodes from
};

void ExpectRun(const FrameRun& run, const Frames& expected, const char* what) {
  const int count = expected.last - expected.first + 1;
  EXPECT_EQ(run.count, count) << what;
  if (count == 0 || run.count == 0) return;
  EXPECT_EQ(run.firstPts, FrameTime(expected.first)) << what;
  EXPECT_EQ(run.lastPts, FrameTime(expected.last)) << what;
  if (expected.decodeFrom < 0) return;
  ASSERT_TRUE(run.decodeFrom) << what;
  EXPECT_EQ(run.decodeFrom->pts, FrameTime(expected.decodeFrom)) << what;
}

TEST(SmartCutPlan, EachFrameOfTheCutIsEncodedOrCopiedOnce) {
  const std::vector<VideoPacket> closed = Stream("IBBPBBPBBPBP", 4);
  const std::vector<VideoPacket> open = Stream("IBBPBBPBBPBB", 4);
  struct Case {
    const char* name;
    const std::vector<VideoPacket>* packets;
    int in, out;  // frames; the cut ends before `out`
    Frames head, copied, end;
    int leftOut;    // leading pictures of the copy's keyframe
    int stopFrame;  // the first packet after the copy (its frame), -1: none
  };
  const Case cases[] = {
      // The B-frames shown at 28 and 29 refer to the P shown at 30.
      {"closed GOPs", &closed, 5, 30, {5, 11, 0}, {12, 27}, {28, 29, 24}, 0, 30},
      // Frames 10 and 11 decode after the keyframe 12 and refer to the GOP
      // before: encoded with the head, left out of the copy.
      {"open GOPs", &open, 5, 30, {5, 11, 0}, {12, 27}, {28, 29, 24}, 2, 30},
      {"the In on a keyframe, the Out on the next", &closed, 12, 24, {}, {12, 23}, {}, 0, 24},
      {"no keyframe inside the cut", &closed, 13, 20, {13, 19, 12}, {}, {}, 0, -1},
      // The copy is the keyframe alone; its leading pictures decode before
      // the next packet and are left out.
      {"a cut of one frame", &open, 12, 13, {}, {12, 12}, {}, 2, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Times a little late, as a 90 kHz clock rounds them, still name the frame.
    const std::optional<SmartCutPlan> plan =
        PlanSmartCut(*c.packets, FrameTime(c.in) + 300, FrameTime(c.out) + 300);
    ASSERT_TRUE(plan);
    ExpectRun(plan->head, c.head, "head");
    ExpectRun(plan->copied, c.copied, "copied");
    ExpectRun(plan->end, c.end, "end");
    EXPECT_EQ(plan->leftOut.size(), static_cast<std::size_t>(c.leftOut));
    for (std::size_t i : plan->leftOut) EXPECT_LT((*c.packets)[i].pts, FrameTime(c.copied.first));
    if (c.stopFrame < 0) {
      EXPECT_FALSE(plan->copyStopDts);
      continue;
    }
    ASSERT_TRUE(plan->copyStopDts);
    ASSERT_LT(plan->copyEnd, c.packets->size());
    EXPECT_EQ((*c.packets)[plan->copyEnd].pts, FrameTime(c.stopFrame));
    EXPECT_EQ(*plan->copyStopDts, (*c.packets)[plan->copyEnd].dts);
    EXPECT_TRUE((*c.packets)[plan->copyBegin].key);
  }
}

TEST(SmartCutPlan, CutsTheListDoesNotReachCannotBePlanned) {
  const std::vector<VideoPacket> closed = Stream("IBBPBBPBBPBP", 2);
  EXPECT_FALSE(PlanSmartCut(closed, FrameTime(100), FrameTime(110))) << "past the list";
  // Only the second GOP listed: the frames before it are not known.
  const std::vector<VideoPacket> tail(closed.begin() + 12, closed.end());
  EXPECT_FALSE(PlanSmartCut(tail, FrameTime(5), FrameTime(20)));
  // ffprobe's windows list some packets twice; each counts once.
  std::vector<VideoPacket> twice = closed;
  twice.insert(twice.end(), closed.begin() + 10, closed.begin() + 16);
  const std::optional<SmartCutPlan> plan =
      PlanSmartCut(InDecodingOrder(twice), FrameTime(5), FrameTime(20));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->head.count + plan->copied.count + plan->end.count, 15);
}

// The page's cuts over ffprobe's list: a long cut is listed only around its
// ends, so its first keyframe must lie well inside the window after its In.
TEST(SmartCutPlan, ALongCutIsPlannedOnlyWhenItsFirstKeyframeIsListed) {
  auto list = [](int gopFrames) {
    std::string text;
    for (int frame = 0; frame < 25 * 120; ++frame) {
      const auto time = [](int f) {
        const std::int64_t us = kStartUs + f * kFrameUs;
        return std::to_string(us / 1000000) + "." +
               std::to_string(1000000 + us % 1000000).substr(1);
      };
      text += "packet," + time(frame) + "," + time(frame - 1) + "," + std::to_string(frame * 188) +
              "," + (frame % gopFrames == 0 ? "K__" : "__") + "\n";
    }
    return text;
  };
  const std::vector<Cut> cuts = {{"00:00:00.500", "00:01:30.000"},   // windows apart
                                 {"00:00:30.500", "00:00:40.000"}};  // windows meet
  const auto twoSeconds = PlanListedSmartCuts(list(50), kStartUs, cuts);
  ASSERT_EQ(twoSeconds.size(), 2u);
  ASSERT_TRUE(twoSeconds[0]);
  ASSERT_TRUE(twoSeconds[0]->copyFrom);
  EXPECT_EQ(twoSeconds[0]->copyFrom->pts, FrameTime(50));
  EXPECT_EQ(twoSeconds[0]->in, kStartUs + 500000);
  // Keyframes a copy may not begin with are encoded over.
  const auto noCopy = PlanListedSmartCuts(
      list(50), kStartUs, cuts, [](const VideoPacket& key) { return key.pts != FrameTime(50); });
  ASSERT_TRUE(noCopy[0]);
  EXPECT_EQ(noCopy[0]->copyFrom->pts, FrameTime(100));
  const auto twentySeconds = PlanListedSmartCuts(list(500), kStartUs, cuts);
  EXPECT_FALSE(twentySeconds[0]) << "its head would reach past the window";
  ASSERT_TRUE(twentySeconds[1]) << "the whole cut is listed";
  EXPECT_EQ(twentySeconds[1]->plan.head.count, 237);  // 30.52 s up to the Out: no keyframe inside
}

}  // namespace
}  // namespace trellimux
