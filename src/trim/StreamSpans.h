// Where a Smart Copy cut's other streams (its audio and subtitles) are
// copied from the source beside the video and where ffmpeg copies them
// into the head and end pieces: a stream's own PES packets seldom begin
// where the video's keyframe does, and the file interleaves them up to a
// second or so away from the video shown at the same time. So each stream
// gets its own span of the copy: from its first PES packet that begins at
// or after the keyframe's byte and is shown at or after the cut's first
// frame, up to its first PES packet that begins at or after the byte where
// the video's copy stops. Its head piece ends where the span begins, and
// its end piece begins where the span ends, at the same audio frame.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "transport/TransportPackets.h"
#include "trim/SmartCutPlan.h"
#include "trim/TransportCopy.h"

namespace trellimux {

// How far the search for a stream's PES packet reads: a stream that has
// none within it (subtitles shown seldom) is copied only beside the video.
inline constexpr std::int64_t kStreamSearchBytes = std::int64_t{8} << 20;

// The presentation time (microseconds) of the first PES packet of `pid`
// that begins at or after `fromByte` and is shown at or after `notBefore`
// (within kFrameTimeSlackUs), searched within kStreamSearchBytes; nothing
// when none is.
std::optional<std::int64_t> FirstPesShownFrom(const TransportReader& read, int pid,
                                              std::int64_t fromByte, std::int64_t notBefore);

// The spans of `pids` in the cut `cut`: from its Out to its Out when
// nothing of the video is copied (the head pieces hold them whole).
std::vector<CopiedStream> OtherStreamSpans(const TransportReader& read, std::span<const int> pids,
                                           const PlannedSmartCut& cut);

}  // namespace trellimux
