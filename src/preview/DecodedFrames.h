// The frames the preview's decoder made lately, kept in the order it made
// them. Each seek walks from a keyframe up to the frame asked for (up to a
// whole GOP, about half a second for 1080i under Wine); the frames walked
// are kept, so that stepping back through them with the arrow keys, or
// going back to a position just seen, needs no decoder at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace trellimux {

class DecodedFrames {
 public:
  // At most `byteBudget` bytes of bitmaps are kept; the oldest go first.
  explicit DecodedFrames(std::size_t byteBudget) : budget_(byteBudget) {}

  // The decoder seeks or starts anew: the next frame does not follow the
  // last one kept, and none is kept before the next intra frame. (After a
  // seek, the frames shown before their keyframe may refer to pictures the
  // decoder never had; a walk to a frame reads over them, so must this.)
  void Break() {
    ++run_;
    waitingForIntra_ = true;
  }
  // The next frame is whole but does not follow the last one kept: a
  // picture between them was never decoded.
  void Gap() { ++run_; }
  // The frame the decoder made next: its time stamp in microseconds, and
  // whether it was decoded from itself alone.
  void Add(std::int64_t microseconds, bool intra, const std::string& bitmap);
  void Clear();

  // The first frame at or after `targetUs`, when the frame the decoder
  // made just before it is kept too and lies before the target: then no
  // other frame can lie between. Nothing otherwise.
  const std::string* Find(std::int64_t targetUs) const;

 private:
  struct Frame {
    std::int64_t microseconds = 0;
    unsigned run = 0;  // frames of one run followed each other in the decoder
    std::string bitmap;
  };
  std::size_t budget_;
  std::size_t bytes_ = 0;
  unsigned run_ = 0;
  bool waitingForIntra_ = true;
  std::deque<Frame> frames_;
};

}  // namespace trellimux
