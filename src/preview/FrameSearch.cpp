#include "preview/FrameSearch.h"

#include <algorithm>
#include <array>

namespace trellimux {
namespace {

// Reading on decodes every frame on the way; a seek decodes from the
// keyframe. Up to about a second ahead (half a GOP of broadcast H.264)
// reading on costs no more.
constexpr std::int64_t kReadOnUs = 1'000'000;
// Without a keyframe list a seek aims this far before the frame: it lands
// before the frame's keyframe whenever that keyframe is less than a second
// before the frame (a seek to the frame itself lands past it nearly always,
// and the decoder then drops every frame up to the next keyframe).
constexpr std::int64_t kUnlistedBackUs = 1'000'000;
// A seek that landed past the frame asked for (no keyframe list, or one
// that was wrong) is made again this much earlier, each time further, up to
// the longest GOP the keyframe search allows for (15 s).
constexpr std::array<std::int64_t, 3> kEarlierUs = {1'000'000, 4'000'000, 15'000'000};
// A seek this far before the input's start lands on its first packet (whose
// decoding time lies before the start by the B-frames' delay at most).
constexpr std::int64_t kBeforeFirstUs = 1'000'000;
// A decoder whose frames never reach the target (no time stamps, a broken
// file) is not read for ever.
constexpr int kMostFrames = 3000;

}  // namespace

FrameSearch::FrameSearch(const FrameGoal& goal, std::optional<std::int64_t> decodedUs)
    : goal_(goal) {
  const std::int64_t target = goal.targetUs;
  if (decodedUs && *decodedUs < target - kFrameTimeSlackUs &&
      (target - *decodedUs <= kReadOnUs || (goal.keyframeUs && *goal.keyframeUs <= *decodedUs))) {
    return;
  }
  seekUs_ = goal.keyframeSeekUs.value_or(target - kUnlistedBackUs);
  // A keyframe decoded at or before the start (its seek is then given as the
  // start itself) is the first: a seek to the start lands past it.
  if (seekUs_ <= goal.inputStartUs) seekUs_ = goal.inputStartUs - kBeforeFirstUs;
  firstSeek_ = seekUs_;
  afterSeek_ = true;
}

FrameSearch::Step FrameSearch::OnFrame(std::optional<std::int64_t> frameUs) {
  const bool first = afterSeek_;
  afterSeek_ = false;
  if (++framesRead_ >= kMostFrames) return Step::Take;
  if (!frameUs) return Step::ReadOn;
  if (*frameUs < goal_.targetUs - kFrameTimeSlackUs) return Step::ReadOn;
  // The first frame after a seek is where the decoder could begin; past the
  // target it began too late, unless no seek can begin earlier.
  if (first && *frameUs > goal_.targetUs + kFrameTimeSlackUs && SeekEarlier())
    return Step::SeekAgain;
  return Step::Take;
}

FrameSearch::Step FrameSearch::OnEnd() {
  return afterSeek_ && SeekEarlier() ? Step::SeekAgain : Step::Take;
}

bool FrameSearch::SeekEarlier() {
  const std::int64_t earliest = goal_.inputStartUs - kBeforeFirstUs;
  if (seekUs_ <= earliest || retries_ >= static_cast<int>(kEarlierUs.size())) return false;
  seekUs_ = std::max(seekUs_ - kEarlierUs[retries_++], earliest);
  afterSeek_ = true;
  framesRead_ = 0;
  return true;
}

}  // namespace trellimux
