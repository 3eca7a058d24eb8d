#include "preview/KeyframeCache.h"

#include <algorithm>

namespace trellimux {
namespace {

// Packets come in decoding order: the last second of a window may miss
// frames shown before its end.
constexpr std::int64_t kDecodeOrderMarginMs = 1000;

// Two minutes a probe: few process starts, and an order that comes during
// one waits for no more than its end.
constexpr std::int64_t kIndexWindowMs = 120000;

// Where the next index window begins: far enough back that a position just
// past the last one's answered stretch has its whole search window in it.
std::int64_t NextIndexStartMs(std::int64_t indexedToMs) {
  return indexedToMs == 0 ? 0 : indexedToMs - kDecodeOrderMarginMs - kKeyframeSearchMs;
}

}  // namespace

KeyframeCache::Window KeyframeCache::WindowAround(std::int64_t positionMs) {
  return {std::max<std::int64_t>(0, positionMs - kKeyframeSearchMs),
          positionMs + kKeyframeSearchMs};
}

std::optional<KeyframeCache::Window> KeyframeCache::NextIndexWindow(
    std::int64_t durationMs) const {
  if (durationMs <= 0 || (indexedToMs_ > 0 && indexedToMs_ - kDecodeOrderMarginMs >= durationMs))
    return std::nullopt;
  const std::int64_t from = NextIndexStartMs(indexedToMs_);
  return Window{from, from + kIndexWindowMs};
}

void KeyframeCache::Add(const Window& window, std::vector<Keyframe> keyframes) {
  if (window.fromMs <= NextIndexStartMs(indexedToMs_) && window.toMs > indexedToMs_ &&
      window.toMs - window.fromMs >= kIndexWindowMs)
    indexedToMs_ = window.toMs;
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
