// The copied part of a cut from an MPEG-TS, written by the program from the
// file's own packets. ffmpeg's copy from an open GOP's keyframe keeps the
// leading pictures that follow it (measured, ffmpeg 5.1: 57 packets for 55
// frames), and in a cut joined after an encoded head they decode from the
// wrong pictures, twice at the same times. So the program copies the video
// stream's PES packets itself: from the keyframe's packet on, without those
// shown before the keyframe, up to the first decoded at or after the stop.
// Each PES packet is copied byte for byte; only the continuity counters of
// the packets kept are counted on, so that no gap is reported.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "transport/TransportPackets.h"

namespace trellimux {

struct TransportCopyRange {
  int videoPid = -1;
  std::int64_t fromByte = 0;     // where the keyframe's packet begins
  std::int64_t keyframePts = 0;  // microseconds, as the file counts them
  // The decoding time of the first packet not copied; nothing: to the end.
  std::optional<std::int64_t> stopDts;
};

struct TransportCopyCount {
  int pictures = 0;  // PES packets of the video copied
  int leftOut = 0;   // leading pictures left out
};

// Receives the bytes to write in order; false stops the copy (a full disk).
using TransportWriter = std::function<bool(std::string_view bytes)>;

// Copies from `range.fromByte` on: the packets of the tables (PAT, PMT and
// the like, whichever PIDs carry no PES packets) and the video's PES packets
// of the copy; the packets of every other stream are left out (they come
// from their own copy). Nothing when the keyframe's PES packet does not
// begin at `fromByte`, or the writer stopped.
std::optional<TransportCopyCount> CopyTransportVideo(const TransportReader& read,
                                                     const TransportCopyRange& range,
                                                     const TransportWriter& write);

}  // namespace trellimux
