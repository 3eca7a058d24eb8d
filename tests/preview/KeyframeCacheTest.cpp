#include <gtest/gtest.h>

#include "preview/KeyframeCache.h"

namespace trellimux {
namespace {

// A file starting at 1.4 s with a keyframe every 2 s from 0.04 s on; B-frames
// decode each keyframe 80 ms before it shows.
std::vector<Keyframe> Keyframes(std::int64_t fromMs, std::int64_t toMs) {
  std::vector<Keyframe> keyframes;
  for (std::int64_t ms = 40; ms <= toMs; ms += 2000)
    if (ms >= fromMs - 2000)
      keyframes.push_back({1400000 + ms * 1000, 1400000 + ms * 1000 - 80000});
  return keyframes;
}

TEST(KeyframeCache, AnswersOnlyForPositionsWhoseSearchWindowWasProbed) {
  KeyframeCache cache(1400000);
  EXPECT_FALSE(cache.Find(30000).known) << "nothing probed yet";
  const KeyframeCache::Window window = KeyframeCache::WindowAround(30000);
  EXPECT_EQ(window.fromMs, 15000);
  EXPECT_EQ(window.toMs, 45000);
  cache.Add(window, Keyframes(window.fromMs, window.toMs));
  const KeyframeCache::Window first = KeyframeCache::WindowAround(3000);
  EXPECT_EQ(first.fromMs, 0);
  cache.Add(first, Keyframes(first.fromMs, first.toMs));

  const struct {
    std::int64_t positionMs;
    bool known;
    std::int64_t keyframeMs;  // -1: known to have none
  } cases[] = {
      {30000, true, 28040}, {28040, true, 28040},
      {28039, true, 26040}, {43999, true, 42040},  // the window's end, less its last second
      {44001, false, 0},                           // decoding order may hide a later keyframe
      {17500, true, 16040},                        // past the first window, early in the second
      {14000, true, 12040},                        // in the window from the start
      {20, true, -1},                              // before the first keyframe
  };
  for (const auto& c : cases) {
    const KeyframeCache::Lookup found = cache.Find(c.positionMs);
    EXPECT_EQ(found.known, c.known) << c.positionMs;
    if (!c.known || !found.known) continue;
    if (c.keyframeMs < 0) {
      EXPECT_FALSE(found.keyframe) << c.positionMs;
      continue;
    }
    ASSERT_TRUE(found.keyframe) << c.positionMs;
    EXPECT_EQ(found.keyframe->ptsMicroseconds, c.keyframeMs * 1000) << c.positionMs;
    EXPECT_EQ(found.keyframe->seekMs, c.keyframeMs - 81) << c.positionMs;
  }
}

TEST(KeyframeCache, IndexWindowsAnswerEveryPositionUpToTheEnd) {
  KeyframeCache cache(1400000);
  const std::int64_t durationMs = 250000;
  std::vector<KeyframeCache::Window> windows;
  while (const std::optional<KeyframeCache::Window> window = cache.NextIndexWindow(durationMs)) {
    ASSERT_LT(windows.size(), 10u) << "the index never ends";
    windows.push_back(*window);
    cache.Add(*window, Keyframes(window->fromMs, window->toMs));
  }
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[1].fromMs, 104000);
  for (std::int64_t positionMs = 0; positionMs <= durationMs; positionMs += 250) {
    const KeyframeCache::Lookup found = cache.Find(positionMs);
    ASSERT_TRUE(found.known) << positionMs;
    if (positionMs >= 40) EXPECT_TRUE(found.keyframe) << positionMs;
  }
  // Windows probed for single positions do not advance the index.
  KeyframeCache fresh(0);
  fresh.Add(KeyframeCache::WindowAround(3000), {});
  EXPECT_EQ(fresh.NextIndexWindow(durationMs)->fromMs, 0);
  EXPECT_FALSE(fresh.NextIndexWindow(0)) << "no duration: no index";
}

}  // namespace
}  // namespace trellimux
