// The ffmpeg line of a cut that is encoded at its ends and copied between,
// for an MPEG-TS input: one run for its head and its end, writing the
// encoded video and each other stream's frames into pieces of their own, in the source's own time
// stamps, which the program then puts together with the source's packets between
// (CopyTransportCut). An output -ss counts from the first frame of the streams written, not from
// the input's start (measured, ffmpeg 5.1: a video that begins 10 ms after the audio lost its first
// frame), and shifts the time stamps written even with -copyts; the multiplexer delays them by 1.4
// s unless told not to
// (-muxdelay 0 -muxpreload 0).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cmdline/SmartCopyEncoding.h"
#include "trim/SmartCutPlan.h"

namespace trellimux {

// The numbers a piece takes from the source, so that it and the packets
// copied from the source are one program's streams.
struct SourceTransport {
  int programNumber = 1;
  int mapPid = 0x1000;
  int videoPid = 0x100;
  std::vector<int> otherPids;  // the checked other streams', in the table's order
};

// Whether the multiplexer of both our ffmpeg versions takes them (4.1: a
// map table's PID from 16 to 7936; 5.1: from 32 to 8186; a stream's from 16
// and not the map table's).
bool MultiplexerTakes(const SourceTransport& transport);

// The video of a head or an end: `run` of the stream `map` ("0:1"), encoded
// with `options` (SmartEncoderOptions) into `path`. The encoders write
// each frame at the nearest point of their frame rate's grid, counted from
// 0 (mpeg2video takes no other time base: "MPEG-1/2 does not support
// 90000/1 fps"; libx264 given the demuxer's, -enc_time_base -1, writes it
// into its pictures' timing, and ffmpeg.exe 4.1 then left the MP4 cut's
// last frame out), so the frames are moved earlier by `gridShiftUs` (how
// far they lie past it: GridShift) and written back at their own times.
struct VideoPiece {
  FrameRun run;
  std::string map;
  std::string path;
  std::int64_t gridShiftUs = 0;
};

// How far a frame shown at `ptsUs` lies past the grid of `rate` counted
// from 0 (a broadcast's clock is anywhere); 0 when the rate is not known.
std::int64_t GridShift(std::int64_t ptsUs, const FrameRate& rate);

// Another stream's frames shown in [from, to) (the file's own times, in
// microseconds), copied into `path`: from its first frame shown at or
// after `from` (less kFrameTimeSlackUs) to the last shown before `to`.
struct StreamPiece {
  std::string map;  // "0:2"
  int pid = -1;
  std::int64_t from = 0, to = 0;
  std::string path;
};

// How far before a stream piece's start its input seeks: more than the
// distance a broadcast's audio lies from its video in the file (a seek
// lands by the video's times).
inline constexpr std::int64_t kAudioSeekBackUs = 5000000;

// A head's or an end's pieces.
struct PieceRun {
  std::optional<VideoPiece> video;
  std::vector<StreamPiece> others;
};

// One ffmpeg run for the pieces of a cut's head and end (a run costs more
// to start than a short piece costs to write). Each run's video is decoded
// from an input of its own that seeks to just before its run's keyframe (a
// transport stream's seek may land on any frame at or before the time
// asked for, and no frame decodes before a keyframe), keeping `run.count`
// frames from its first one, picked by their own times (-copyts and a
// select filter). Its other streams are read from a further input that
// seeks before the earliest of them; each piece's output -ss shifts its
// stamps and -output_ts_offset shifts them back. Each input reads only a
// little past what its pieces need.
std::string SmartPieceLine(std::string_view inputPath, std::int64_t startMicroseconds,
                           std::span<const PieceRun> runs, std::string_view options,
                           const SourceTransport& transport);

// The copy of an MP4's video `map` from its keyframe shown at `keyframePts`
// on, up to the first packet decoded at or after `stopDts` (ffmpeg stops a
// copy at the first packet whose decoding time reaches its -to; none: to
// the end), into the transport stream piece `path` (its
// parameter sets then travel with its pictures), in the source's own
// times. ffmpeg seeks 3/23 s before the time asked for in a video with
// B-frames, to the last keyframe at or before it (ffmpeg.exe 4.1 landed a
// GOP early when asked for the keyframe's own time; 5.1 did not), and an
// output -ss ends a copy at the next keyframe (measured, 5.1). So the seek
// asks for a time kMovieSeekPastUs after the keyframe: within its GOP, past
// the heuristic.
inline constexpr std::int64_t kMovieSeekPastUs = 150000;
std::string SmartMovieCopyLine(std::string_view inputPath, std::int64_t startMicroseconds,
                               std::string_view map, std::int64_t keyframePts,
                               std::optional<std::int64_t> stopDts,
                               const SourceTransport& transport, std::string_view path);

// Puts the video pieces (their bytes read as one through ffmpeg's "concat:"
// input) and the other streams' pieces together into an MP4 cut file whose
// first frame is shown at 0 (`firstShown` is its time in the pieces),
// without the parameter sets and delimiters in the pictures.
std::string SmartMovieMuxLine(std::span<const std::string> videoPieces,
                              std::span<const std::string> otherPieces, std::int64_t firstShown,
                              std::string_view outputPath);

// A Matroska file copied from the MP4 cut `moviePath`, every stream: the
// Matroska multiplexer writes the MP4's sample description (every
// parameter set) as its track's CodecPrivate as it is (measured, ffmpeg.exe
// 4.1 and 5.1).
std::string MatroskaFromMovieLine(std::string_view moviePath, std::string_view outputPath);

// The multiplexer's delay, as ffmpeg's "Copy" lines write it (-muxdelay's
// default 0.7 s, twice over: measured 1.4 s in both versions).
inline constexpr std::int64_t kMultiplexerDelayUs = 1400000;

}  // namespace trellimux
