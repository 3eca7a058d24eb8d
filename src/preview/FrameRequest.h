// The ffmpeg command that makes one preview frame: the picture at a time of
// the input, scaled to its place, written as one Windows bitmap to standard
// output.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace trellimux {

// One fact about ffmpeg that the frame command relies on, and where it was
// seen.
struct FrameCommandFact {
  std::string_view arguments;  // what the command holds for it
  std::string_view fact;
  std::string_view source;
};

// The facts in the order of the command's options.
std::span<const FrameCommandFact> FrameCommandFacts();

// " -v quiet -nostdin -ss 3721.089 -copyts -i "input" -map 0:v:0 -frames:v 1
// -vf "select='gte(t,3724.8500)',scale=400:225" -pix_fmt bgr24 -f image2pipe
// -c:v bmp -": the input is read from `seekMs` (just before a keyframe's
// decoding time) and the first frame at or after `timeMs` is written,
// `width` x `height` pixels. Both times count from the input's start, whose
// time stamp is `startMicroseconds`.
std::string FrameArguments(std::string_view inputPath, std::int64_t seekMs,
                           std::int64_t startMicroseconds, std::int64_t timeMs, int width,
                           int height);

}  // namespace trellimux
