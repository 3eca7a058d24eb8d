#include "preview/KeyframeCache.h"

#include <algorithm>

namespace trellimux {
namespace {

// Packets come in decoding order: the last second of a window may miss
// frames shown before its end.
constexpr std::int64_t kDecodeOrderMarginMs = 1000;

}  // namespace

KeyframeCache::Window KeyframeCache::WindowAround(std::int64_t positionMs) {
  return {std::max<std::int64_t>(0, positionMs - kKeyframeSearchMs),
          positionMs + kKeyframeSearchMs};
}

void KeyframeCache::Add(const Window& window, std::vector<Keyframe> keyframes) {
  probed_.push_back({window, std::move(keyframes)});
}

KeyframeCache::Lookup KeyframeCache::Find(std::int64_t positionMs) const {
  const std::int64_t position = start_ + positionMs * 1000;
  for (const Probed& probed : probed_) {
    const Window& window = probed.window;
    if (positionMs < window.fromMs || positionMs > window.toMs - kDecodeOrderMarginMs) continue;
    // Every keyframe from the window's start on is listed; one before it
    // may be listed too, as the probe's seek lands at or before the start.
    const std::int64_t from = start_ + window.fromMs * 1000;
    const Keyframe* last = nullptr;
    for (const Keyframe& keyframe : probed.keyframes)
      if (keyframe.pts >= from && keyframe.pts <= position && (!last || keyframe.pts > last->pts))
        last = &keyframe;
    if (last) return {true, SeekTo(*last, start_)};
    if (window.fromMs == 0 || positionMs - window.fromMs >= kKeyframeSearchMs) return {true, {}};
  }
  return {};
}

}  // namespace trellimux
