#include "cmdline/SmartCutLines.h"

#include <algorithm>

#include "text/CommandText.h"
#include "text/SecondsText.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

bool MultiplexerTakes(const SourceTransport& transport) {
  return transport.programNumber >= 1 && transport.programNumber <= 65535 &&
         transport.mapPid >= 32 && transport.mapPid <= 7936 && transport.videoPid >= 16 &&
         transport.videoPid < 0x1fff && transport.videoPid != transport.mapPid;
}

std::string SmartEncodeLine(std::string_view inputPath, std::string_view map,
                            std::int64_t startMicroseconds, const FrameRun& run,
                            std::string_view options, const SourceTransport& transport,
                            std::string_view outputPath) {
  const KeyframeBefore seek = SeekTo(*run.decodeFrom, startMicroseconds);
  std::string line = " -copyts -ss " + MillisecondsAsCutTime(seek.seekMs) + " -i";
  AppendQuotedPath(line, inputPath);
  line += " -map ";
  line += map;
  line +=
      " -vf \"select=gte(t\\," + MicrosecondsAsSeconds(run.firstPts - kFrameTimeSlackUs) + ")\"";
  line += " -frames:v " + std::to_string(run.count);
  line += options;
  line += " -an -muxdelay 0 -muxpreload 0 -mpegts_service_id " +
          std::to_string(transport.programNumber) + " -mpegts_pmt_start_pid " +
          std::to_string(transport.mapPid) + " -streamid 0:" + std::to_string(transport.videoPid);
  AppendQuotedPath(line, outputPath);
  return line;
}

std::string SmartAudioLine(std::string_view inputPath, std::int64_t startMicroseconds,
                           std::int64_t in, std::int64_t out, std::string_view maps,
                           std::string_view outputPath) {
  const std::int64_t seekMs =
      std::max<std::int64_t>(in - startMicroseconds - kAudioSeekBackUs, 0) / 1000;
  const std::string from = MicrosecondsAsSeconds(in - kFrameTimeSlackUs);
  std::string line = " -copyts -ss " + MillisecondsAsCutTime(seekMs) + " -i";
  AppendQuotedPath(line, inputPath);
  line += maps;
  line += " -c copy -ss " + from + " -to " + MicrosecondsAsSeconds(out - kFrameTimeSlackUs);
  line += " -output_ts_offset " + from + " -muxdelay 0 -muxpreload 0";
  AppendQuotedPath(line, outputPath);
  return line;
}

std::string SmartMuxLine(std::span<const std::string> videoPieces,
                         std::optional<std::string_view> otherPath, std::int64_t offsetMicroseconds,
                         std::string_view outputPath) {
  std::string video;
  for (const std::string& piece : videoPieces) video += (video.empty() ? "" : "|") + piece;
  if (videoPieces.size() > 1) video = "concat:" + video;
  std::string line = " -copyts -i";
  AppendQuotedPath(line, video);
  if (otherPath) {
    line += " -i";
    AppendQuotedPath(line, *otherPath);
  }
  line += " -map 0:v";
  if (otherPath) line += " -map 1";
  line += " -c copy";
  if (offsetMicroseconds != 0)
    line += " -output_ts_offset " + MicrosecondsAsSeconds(offsetMicroseconds);
  line += " -muxdelay 0 -muxpreload 0";
  AppendQuotedPath(line, outputPath);
  return line;
}

}  // namespace trellimux
