// Where a copied cut begins. A copy can only begin with a keyframe, and
// ffmpeg's seek in an MPEG-TS lands on any frame at or before the time asked
// for; the copy then drops everything up to the NEXT keyframe, up to a whole
// GOP of what the user asked for (measured: 50 of 92 frames kept with 2 s
// GOPs). So ffprobe lists the video packets before each cut's In, and the cut
// seeks to just before the decoding time of the last keyframe shown at or
// before the In: every frame from In on is in the cut, at most one GOP more.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "trim/CutList.h"

namespace trellimux {

// How far before each In the keyframe is looked for; longer GOPs than this
// fall back to seeking to the In.
inline constexpr std::int64_t kKeyframeSearchMs = 15000;

// A keyframe's presentation and decoding time in microseconds, as the file
// counts them, and the byte where its packet begins (-1: not known).
struct Keyframe {
  std::int64_t pts = 0;
  std::int64_t dts = 0;
  std::int64_t bytePos = -1;
};

// A video packet of such a list: its times as the file counts them, in
// microseconds, and whether it is a keyframe.
struct VideoPacket {
  std::int64_t pts = 0;
  std::int64_t dts = 0;
  bool key = false;
  std::int64_t bytePos = -1;
  // A keyframe a copy of the stream may begin with (not every keyframe
  // of every codec is one).
  bool copyMayBegin = true;
};

// The packets of a packet list printed by the arguments below, in the
// list's order; a packet without a presentation time is left out.
std::vector<VideoPacket> ParseVideoPackets(std::string_view packetList);

// The keyframes of such a list.
std::vector<Keyframe> ParseKeyframes(std::string_view packetList);

// ffprobe's arguments that print only the input's start time: the cut times
// count from it, the packets' times do not.
std::string StartTimeProbeArguments(std::string_view inputPath);

// Microseconds of the start time printed by those arguments; 0 when there is
// none ("N/A", nothing printed).
std::int64_t ParseStartTimeMicroseconds(std::string_view output);

// ffprobe's arguments that list the first video stream's packets (times and
// flags, one "packet,..." line each) from kKeyframeSearchMs before each In
// (the first cut's from the file's beginning, when that is earlier) to 1 s
// after it (packets come in decoding order, not all before the In show
// before it).
std::string KeyframeProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                   std::span<const Cut> cuts);

// The same list for the file times from `fromMs` to `toMs` after the start.
std::string KeyframeListArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                  std::int64_t fromMs, std::int64_t toMs);

// The list a copied cut needs: KeyframeProbeArguments' windows before each
// In, and one around each Out (kCopyEndSearchMs before it to 1 s after it),
// in time order, windows that meet read as one.
std::string CopyCutProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                  std::span<const Cut> cuts);
inline constexpr std::int64_t kCopyEndSearchMs = 2000;

// The list a Smart Copy cut needs: the same, but reaching kKeyframeSearchMs
// after each In, where the first keyframe inside the cut is (its copy
// begins there).
std::string SmartCutProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                   std::span<const Cut> cuts);

// Per cut, where its copy seeks to, as a cut time counted from the file's
// start: 1 ms before the decoding time of the last keyframe whose
// presentation time is at or before its In; the In itself when the list
// shows none (an audio-only input, a longer GOP, a failed probe).
std::vector<std::string> CopyCutStarts(std::string_view packetList, std::int64_t startMicroseconds,
                                       std::span<const Cut> cuts);

// Per cut, where its copy stops, as a cut time counted from the file's start.
// ffmpeg ends a copy at the first packet whose decoding time reaches the end,
// and packets come in decoding order: ending at the Out kept the frames
// decoded before it but shown after it (measured: 2-3 frames past the Out).
// So the copy stops at the decoding time of the first packet shown at or
// after the Out: every frame kept is shown before the Out, and the few shown
// just before it that decode after that packet (B-frames that refer to it)
// are left out. The Out itself when the list shows no such packet.
std::vector<std::string> CopyCutEnds(std::string_view packetList, std::int64_t startMicroseconds,
                                     std::span<const Cut> cuts);

// Both, for a list printed by CopyCutProbeArguments.
struct CopyCutTimes {
  std::vector<std::string> starts;
  std::vector<std::string> ends;
};
CopyCutTimes FindCopyCutTimes(std::string_view packetList, std::int64_t startMicroseconds,
                              std::span<const Cut> cuts);

// The last keyframe at or before `positionMs` in a list printed by
// KeyframeProbeArguments (a cut with that In): its presentation time in
// microseconds from the file's start, and the millisecond to seek to so that
// the keyframe is the first frame decoded (as CopyCutStarts seeks); nothing
// when the list shows none.
struct KeyframeBefore {
  std::int64_t ptsMicroseconds = 0;
  std::int64_t seekMs = 0;
  std::int64_t bytePos = -1;  // the keyframe's packet's first byte; -1: not known
};
std::optional<KeyframeBefore> KeyframeAtOrBefore(std::string_view packetList,
                                                 std::int64_t startMicroseconds,
                                                 std::int64_t positionMs);
// The same for a keyframe already found.
KeyframeBefore SeekTo(const Keyframe& keyframe, std::int64_t startMicroseconds);

}  // namespace trellimux
