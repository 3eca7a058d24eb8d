// A keyframe of a transport stream found in the file itself: where the
// preview's fed decoder goes for a frame whose stretch ffprobe has not
// listed yet. A long recording's keyframes take minutes to list; a move
// there would otherwise wait for the slower movie decoder's seek by time.
// ffmpeg seeks a transport stream the same way: by halving the file until
// the time stamps reach the time; from there the file is read on to the
// last key picture (KeyPictures) shown at or before the frame asked for.
#pragma once

#include <cstdint>
#include <optional>

#include "preview/DisposablePictures.h"
#include "transport/TransportPackets.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

struct TransportVideo {
  int pid = -1;  // the stream's packet identifier
  VideoCoding coding = VideoCoding::Other;
  std::int64_t startUs = 0;  // the file's start time: times are unwrapped from it
};

// The last key picture of `video` shown at or before `targetUs` (the
// file's microseconds), looked for up to about kKeyframeSearchMs before
// it, in the plain MPEG-TS of `fileBytes` bytes that `read` reads: its
// times and its first packet's byte. Nothing when there is none, or the
// coding is Other.
std::optional<Keyframe> FindTransportKeyframe(const TransportReader& read, std::int64_t fileBytes,
                                              const TransportVideo& video, std::int64_t targetUs);

// The first key picture shown at or after `fromUs`, up to kKeyframeSearchMs
// after it: where a Smart Copy cut from there copies from, and where the
// preview's "next keyframe" goes. Nothing when there is none so near.
std::optional<Keyframe> FindNextTransportKeyframe(const TransportReader& read,
                                                  std::int64_t fileBytes,
                                                  const TransportVideo& video, std::int64_t fromUs);

}  // namespace trellimux
