// The lines of a cut that is encoded at its ends and copied between, for an
// MPEG-TS input: each piece is written in the source's own time stamps, so
// that the pieces follow each other when their bytes are joined and the
// audio, copied whole beside them, stays in step. An output -ss counts from
// the first frame of the streams written, not from the input's start
// (measured, ffmpeg 5.1: a video that begins 10 ms after the audio lost its
// first frame), and shifts the time stamps written even with -copyts; the
// multiplexer delays them by 1.4 s unless told not to (-muxdelay 0
// -muxpreload 0).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "trim/SmartCutPlan.h"

namespace trellimux {

// The numbers an encoded piece takes from the source, so that it and the
// packets copied from the source are one program's one video stream.
struct SourceTransport {
  int programNumber = 1;
  int mapPid = 0x1000;
  int videoPid = 0x100;
};

// Whether the multiplexer of both our ffmpeg versions takes them (4.1: a
// map table's PID from 16 to 7936; 5.1: from 32 to 8186).
bool MultiplexerTakes(const SourceTransport& transport);

// Encodes `run` (a head or an end) of the video stream `map` ("0:0") into
// `outputPath` with the encoder `options` (SmartEncoderOptions), as
// `transport`'s program and video PID: decoding
// from just before the run's keyframe (a transport stream's seek may land
// on any frame at or before the time asked for, and no frame decodes before
// a keyframe), then keeping `run.count` frames from its first one, picked by
// their own times (-copyts and a select filter).
std::string SmartEncodeLine(std::string_view inputPath, std::string_view map,
                            std::int64_t startMicroseconds, const FrameRun& run,
                            std::string_view options, const SourceTransport& transport,
                            std::string_view outputPath);

// How far before a cut's In its audio copy seeks: more than the distance a
// broadcast's audio lies from its video in the file (a seek lands by the
// video's times).
inline constexpr std::int64_t kAudioSeekBackUs = 5000000;

// Copies the audio streams `maps` (" -map 0:1 -map 0:2") of the cut [in,
// out) (the file's own times, in microseconds; `in` the time of the cut's
// first frame, as the In may lie between frames) into `outputPath`: from the
// audio frame that holds the In (ffmpeg keeps one that begins before it and
// ends after it) to the last that begins before the Out, within one audio
// frame of the video at each end. The output -ss shifts the stamps;
// -output_ts_offset shifts them back.
std::string SmartAudioLine(std::string_view inputPath, std::int64_t startMicroseconds,
                           std::int64_t in, std::int64_t out, std::string_view maps,
                           std::string_view outputPath);

// The multiplexer's delay, as ffmpeg's "Copy" lines write it (-muxdelay's
// default 0.7 s, twice over: measured 1.4 s in both versions).
inline constexpr std::int64_t kMultiplexerDelayUs = 1400000;

// Puts the video pieces `videoPieces` (in order, their bytes read as one
// through ffmpeg's "concat:" input) and the copied other streams
// `otherPath`, if any, together into the cut's file, in their own time
// stamps moved by `offsetMicroseconds`.
std::string SmartMuxLine(std::span<const std::string> videoPieces,
                         std::optional<std::string_view> otherPath, std::int64_t offsetMicroseconds,
                         std::string_view outputPath);

}  // namespace trellimux
