// Which of the preview decoder's frames is the one to show, and where the
// decoder must seek for it. All times are the file's own time stamps in
// microseconds.
#pragma once

#include <cstdint>
#include <optional>

#include "trim/CutTime.h"

namespace trellimux {

struct FrameGoal {
  std::int64_t targetUs = 0;  // the first frame at or after it is shown
  // The keyframe at or before the target, when the keyframes are listed:
  // its time stamp, and where a seek lands just before it.
  std::optional<std::int64_t> keyframeUs;
  std::optional<std::int64_t> keyframeSeekUs;
  std::int64_t inputStartUs = 0;      // the input's start time
  std::int64_t keyframeBytePos = -1;  // where the keyframe's packet begins; -1: not listed
};

class FrameSearch {
 public:
  // `decodedUs`: the time stamp of the last frame read from the decoder, or
  // just before the input's first when it has just started; nothing when
  // unknown.
  FrameSearch(const FrameGoal& goal, std::optional<std::int64_t> decodedUs);

  // Where to seek before reading; nothing: the frame lies ahead of where the
  // decoder stands, at most about a second or within the same keyframe's
  // frames, so reading on costs less than a seek.
  std::optional<std::int64_t> FirstSeek() const { return firstSeek_; }

  enum class Step {
    ReadOn,     // not yet: read the next frame
    Take,       // this frame is the one
    SeekAgain,  // the seek landed past the frame asked for: seek to SeekUs()
  };
  // A frame read after the last seek was carried out (or, without one, the
  // next frame). A frame without a time stamp is read over.
  Step OnFrame(std::optional<std::int64_t> frameUs);
  // The decoder's output ended before a frame came after the seek: it
  // landed past the last keyframe before the target, whose frames the
  // decoder dropped up to the end. SeekAgain (with a decoder started
  // anew), or Take: nothing earlier to seek to.
  Step OnEnd();
  std::int64_t SeekUs() const { return seekUs_; }

 private:
  FrameGoal goal_;
  std::optional<std::int64_t> firstSeek_;
  std::int64_t seekUs_ = 0;
  bool afterSeek_ = false;  // the next frame is the first after a seek
  int retries_ = 0;
  int framesRead_ = 0;

  bool SeekEarlier();
};

}  // namespace trellimux
