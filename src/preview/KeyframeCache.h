// The keyframes that earlier probes of the preview's input listed: a move
// into a stretch already probed needs only the frame's own ffmpeg run, not a
// probe first (under Wine every child costs its start-up).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "trim/KeyframeSearch.h"

namespace trellimux {

class KeyframeCache {
 public:
  // File times in milliseconds from the input's start.
  struct Window {
    std::int64_t fromMs = 0;
    std::int64_t toMs = 0;
  };
  // What a probe for a position lists: the search window before it (see
  // kKeyframeSearchMs) and as much after it.
  static Window WindowAround(std::int64_t positionMs);

  // The next window of the index made while the preview waits for the
  // user: from the start on, each window overlapping the one before by the
  // search window, so that every position is answered; none once the
  // windows reach the input's end.
  std::optional<Window> NextIndexWindow(std::int64_t durationMs) const;

  explicit KeyframeCache(std::int64_t startMicroseconds) : start_(startMicroseconds) {}

  void Add(const Window& window, std::vector<Keyframe> keyframes);

  struct Lookup {
    bool known = false;                      // a probed window answers for the position
    std::optional<KeyframeBefore> keyframe;  // none within the search window
  };
  // The last keyframe at or before the position, when a window probed
  // before holds the whole search window before it (or reaches the start).
  Lookup Find(std::int64_t positionMs) const;

 private:
  struct Probed {
    Window window;
    std::vector<Keyframe> keyframes;
  };
  std::int64_t start_;
  std::vector<Probed> probed_;
  std::int64_t indexedToMs_ = 0;  // the end of the index windows so far
};

}  // namespace trellimux
