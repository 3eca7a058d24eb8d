#include "cmdline/SmartCutLines.h"

#include <algorithm>

#include "text/CommandText.h"
#include "text/SecondsText.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

bool StreamPidTaken(int pid, const SourceTransport& transport) {
  return pid >= 16 && pid < 0x1fff && pid != transport.mapPid;
}

// The multiplexer's options for a piece of the stream on `pid`.
std::string PieceOutput(const SourceTransport& transport, int pid, std::string_view path) {
  std::string output = " -muxdelay 0 -muxpreload 0 -mpegts_service_id " +
                       std::to_string(transport.programNumber) + " -mpegts_pmt_start_pid " +
                       std::to_string(transport.mapPid) + " -streamid 0:" + std::to_string(pid);
  AppendQuotedPath(output, path);
  return output;
}

// How much an input reads past the last time a piece needs: a decoder
// gives a frame only after the frames its B-frames wait for.
constexpr std::int64_t kReadPastUs = 1000000;

// An input from `seekMs` (the file's milliseconds from its start) that
// reads up to kReadPastUs past `untilUs` (microseconds from its start):
// one that read on would be read to the file's end once its pieces are
// written (measured, ffmpeg 4.1: a run of four inputs decoded the whole
// recording).
void AppendInput(std::string& inputs, std::string_view path, std::int64_t seekMs,
                 std::int64_t untilUs) {
  inputs +=
      " -ss " + MillisecondsAsCutTime(seekMs) + " -t " +
      MicrosecondsAsSeconds(std::max<std::int64_t>(untilUs - seekMs * 1000, 0) + kReadPastUs) +
      " -i";
  AppendQuotedPath(inputs, path);
}

// "0:2" read from input `input`: "1:2".
std::string FromInput(std::string_view map, int input) {
  const std::size_t colon = map.find(':');
  return std::to_string(input) +
         std::string(map.substr(colon == std::string_view::npos ? 0 : colon));
}

}  // namespace

std::int64_t GridShift(std::int64_t ptsUs, const FrameRate& rate) {
  if (rate.num <= 0 || rate.den <= 0 || ptsUs < 0) return 0;
  // In microseconds times the rate's numerator: a frame is 10^6 * den.
  const std::int64_t past = ptsUs * rate.num % (1000000 * rate.den);
  return (past + rate.num / 2) / rate.num;
}

bool MultiplexerTakes(const SourceTransport& transport) {
  return transport.programNumber >= 1 && transport.programNumber <= 65535 &&
         transport.mapPid >= 32 && transport.mapPid <= 7936 &&
         StreamPidTaken(transport.videoPid, transport) &&
         std::ranges::all_of(transport.otherPids,
                             [&](int pid) { return StreamPidTaken(pid, transport); });
}

std::string SmartPieceLine(std::string_view inputPath, std::int64_t startMicroseconds,
                           std::span<const PieceRun> runs, std::string_view options,
                           const SourceTransport& transport) {
  std::string inputs = " -copyts", outputs;
  int input = 0;
  for (const PieceRun& run : runs) {
    if (run.video) {
      const FrameRun& frames = run.video->run;
      const KeyframeBefore seek = SeekTo(*frames.decodeFrom, startMicroseconds);
      AppendInput(inputs, inputPath, seek.seekMs, frames.lastPts - startMicroseconds);
      outputs += " -map " + FromInput(run.video->map, input++);
      const bool shifted = run.video->gridShiftUs != 0;
      const std::string shift = MicrosecondsAsSeconds(run.video->gridShiftUs);
      outputs += " -vf \"select=gte(t\\," +
                 MicrosecondsAsSeconds(frames.firstPts - kFrameTimeSlackUs) + ")" +
                 (shifted ? ",setpts=PTS-" + shift + "/TB" : "") + "\"";
      outputs += " -frames:v " + std::to_string(frames.count);
      outputs += options;
      if (shifted) outputs += " -output_ts_offset " + shift;
      outputs += PieceOutput(transport, transport.videoPid, run.video->path);
    }
    if (run.others.empty()) continue;
    const std::int64_t earliest =
        std::ranges::min(run.others, {}, [](const StreamPiece& piece) { return piece.from; }).from;
    const std::int64_t latest =
        std::ranges::max(run.others, {}, [](const StreamPiece& piece) { return piece.to; }).to;
    AppendInput(inputs, inputPath,
                std::max<std::int64_t>(earliest - startMicroseconds - kAudioSeekBackUs, 0) / 1000,
                latest - startMicroseconds);
    for (const StreamPiece& piece : run.others) {
      const std::string from = MicrosecondsAsSeconds(piece.from - kFrameTimeSlackUs);
      outputs += " -map " + FromInput(piece.map, input) + " -c copy -ss " + from + " -to " +
                 MicrosecondsAsSeconds(piece.to - kFrameTimeSlackUs) + " -output_ts_offset " + from;
      outputs += PieceOutput(transport, piece.pid, piece.path);
    }
    ++input;
  }
  return inputs + outputs;
}

std::string SmartMovieCopyLine(std::string_view inputPath, std::int64_t startMicroseconds,
                               std::string_view map, std::int64_t keyframePts,
                               std::optional<std::int64_t> stopDts,
                               const SourceTransport& transport, std::string_view path) {
  const std::int64_t seekMs = (keyframePts - startMicroseconds + kMovieSeekPastUs) / 1000;
  std::string line =
      " -copyts -ss " + MillisecondsAsCutTime(std::max<std::int64_t>(seekMs, 0)) + " -i";
  AppendQuotedPath(line, inputPath);
  line += " -map " + std::string(map) + " -c copy";
  if (stopDts) line += " -to " + MicrosecondsAsSeconds(*stopDts - kFrameTimeSlackUs);
  return line + PieceOutput(transport, transport.videoPid, path);
}

std::string SmartMovieMuxLine(std::span<const std::string> videoPieces,
                              std::span<const std::string> otherPieces, std::int64_t firstShown,
                              std::string_view outputPath) {
  std::string video;
  for (const std::string& piece : videoPieces) video += (video.empty() ? "" : "|") + piece;
  if (videoPieces.size() > 1) video = "concat:" + video;
  std::string line = " -copyts -i";
  AppendQuotedPath(line, video);
  std::string maps = " -map 0:v";
  for (std::size_t i = 0; i < otherPieces.size(); ++i) {
    line += " -i";
    AppendQuotedPath(line, otherPieces[i]);
    maps += " -map " + std::to_string(i + 1);
  }
  // The parameter sets go into the sample description (a later step),
  // and the delimiters the transport streams' multiplexer added go: the
  // copied samples stay the source's bytes.
  line += maps + " -c copy -bsf:v filter_units=remove_types=7-9 -output_ts_offset " +
          MicrosecondsAsSeconds(-firstShown);
  AppendQuotedPath(line, outputPath);
  return line;
}

std::string MatroskaFromMovieLine(std::string_view moviePath, std::string_view outputPath) {
  std::string line = " -i";
  AppendQuotedPath(line, moviePath);
  line += " -map 0 -c copy";
  AppendQuotedPath(line, outputPath);
  return line;
}

}  // namespace trellimux
