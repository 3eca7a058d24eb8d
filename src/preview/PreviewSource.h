// What the Trim preview needs to know of its input, read from the probe
// report: how long it is, where its times begin, and the first video
// stream's size, aspect ratios, frame rate and coding.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "preview/DisposablePictures.h"

namespace trellimux {

struct PreviewSource {
  std::int64_t durationMs = 0;         // the format section's duration
  std::int64_t startMicroseconds = 0;  // its start_time; packet times count from it
  int width = 0;                       // the coded picture
  int height = 0;
  std::string sampleAspect;                 // "64:45", "0:1", "N/A" as printed
  std::string displayAspect;                // "16:9"
  std::int64_t frameMs = 40;                // one frame (avg_frame_rate, else r_frame_rate)
  VideoCoding coding = VideoCoding::Other;  // its codec_name
  int streamId = -1;  // its id: the packet identifier in a transport stream; -1: none
};

// Nothing for an input without a video stream or a duration above 0: the
// preview then stays off.
std::optional<PreviewSource> PreviewSourceOf(std::string_view report);

// The slider's steps in milliseconds: an arrow key moves one frame, Page
// Up/Down a twentieth of the input (at least a second).
struct SliderSteps {
  int line = 0;
  int page = 0;
  int last = 0;  // the range's end: the duration
};
SliderSteps SliderStepsFor(const PreviewSource& source);

// The slider's keyframe ticks: the keyframes (milliseconds, in order) at
// least kMarkSpacingPixels apart on a slider of `widthPixels` showing
// `rangeMs`, each kept where it lies; where they lie closer, the first of
// each such stretch stands for it.
inline constexpr int kMarkSpacingPixels = 3;
std::vector<std::int64_t> SliderKeyframeMarks(std::span<const std::int64_t> keyframeMs,
                                              std::int64_t rangeMs, int widthPixels);

// The time a slider position asks for: its milliseconds, but never past
// two frames before the end, where ffmpeg may have no frame left to show.
std::int64_t FrameTimeOfPosition(int position, const PreviewSource& source);

// The text shown with a frame: "01:02:03.450", or "keyframe 00:12:03.480"
// where a copied cut would begin, or "00:12:03.450 · copy from
// 00:12:04.480" where a Smart Copy cut from the frame copies from.
std::string PreviewTimeText(std::int64_t milliseconds, bool keyframe,
                            std::optional<std::int64_t> copyFromMs = std::nullopt);

// A keyframe's presentation time (microseconds from the file's start) as a
// cut time's milliseconds: rounded up, so that the keyframe search of a
// copied cut, which looks at or before the In, finds this very keyframe.
std::int64_t KeyframeCutMs(std::int64_t microseconds);

}  // namespace trellimux
