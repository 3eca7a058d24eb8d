// A Smart Copy cut of an MP4 joins pictures encoded again to copied ones;
// where an encoded piece waits fewer frames before its first picture is
// shown than the source did (x264 with no B-frames in a two-frame end),
// its decoding times jump by the difference. Players do not mind, but the
// track's time stamps then span more frames than it holds: ffmpeg reads a
// frame rate from that (1125/46 for 25 fps), and the Matroska multiplexer
// writes it as the track's frame duration, by which a later encode drops
// and repeats frames.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// `movie` (a movie box) with the decoding times of its first avc1 track
// one frame apart throughout (the track's usual step, the one most of its
// samples take): every sample after a jump is decoded that much earlier
// and shown when it was (its composition offset grows), and the media
// duration shrinks to match. Nothing when the track's time boxes do not
// read as such; `movie` as it is when it has no jump or no composition
// offsets.
std::optional<std::string> WithoutDecodingGaps(std::string_view movie);

}  // namespace trellimux
