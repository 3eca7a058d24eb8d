#include "cmdline/TrimCommand.h"

#include <algorithm>

#include "cmdline/StreamOptions.h"
#include "concat/ByteJoin.h"
#include "concat/ConcatCommand.h"
#include "text/CommandText.h"
#include "text/PathText.h"
#include "trim/CutTime.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

// The per-stream options of a cut line. Reencoding writes the rates before
// the quality and no sample format; outside expert mode the table holds the
// source's values, so the quality is fixed at "1", close to lossless.
StreamOptionRules CutStreamRules(int cutMode, bool expertMode) {
  StreamOptionRules rules;
  switch (cutMode) {
    case kReencodeCut:
      rules.qualityAfterRates = true;
      rules.sampleFormat = false;
      if (!expertMode) rules.fixedQuality = "1";
      break;
    case kCopyCut:
    case kSmartCopyCut:
      rules.set = StreamOptionSet::Copy;
      break;
    default:
      rules.set = StreamOptionSet::MapOnly;
  }
  return rules;
}

bool AnyRowChecked(const StreamTable& table) {
  for (std::size_t i = 0; i < table.RowCount(); ++i)
    if (table.IsChecked(i)) return true;
  return false;
}

// The line that joins the cut files, or the note of a mode without one.
std::string JoinLine(const TrimCommandInput& input, std::span<const std::string> cutFiles) {
  std::string line;
  switch (input.concatMode) {
    case kDemuxerConcat:
      line = " -fflags genpts -f concat -safe 0 -i";
      AppendQuotedPath(line, ConcatListFilePath(input.tempDir));
      break;
    case kFileConcat: {
      std::string joined = "concat:";
      for (std::size_t i = 0; i < cutFiles.size(); ++i) joined += (i ? "|" : "") + cutFiles[i];
      line = " -fflags genpts -i";
      AppendQuotedPath(line, joined);
      break;
    }
    case kWindowsFileConcat:
      return std::string(kWindowsFileJoinNote);
    default:
      return std::string(kCutOnlyNote);
  }
  line += " -map 0 -c copy";
  AppendQuotedPath(line, input.outputPath);
  return line;
}

// How long a cut line reads: from where it seeks to where it stops.
std::int64_t SpanMs(std::string_view start, std::string_view end) {
  return std::max<std::int64_t>(CutTimeMilliseconds(end) - CutTimeMilliseconds(start), 0);
}

// A cut line up to its output path. "Copy" seeks on the input side, where
// ffmpeg begins the copy at a keyframe at or before `start`; the output-side
// "-ss 0" drops the packets of other streams read before that point, so all
// streams begin together. The others decode from the file's start and keep
// exactly In to Out.
void AppendCutSection(std::string& command, const TrimCommandInput& input, std::string_view start,
                      std::string_view end, std::string_view streamOptions) {
  if (CopiesCuts(input.cutMode)) {
    // From the file's start nothing is read before the copy, and "-ss 0"
    // would drop a first keyframe decoded before the file's start time (an
    // audio's), and its whole GOP (measured: 67 of 117 frames kept).
    const bool fromStart = CutTimeMilliseconds(start) == 0;
    command += " -fflags genpts";
    if (!fromStart) {
      command += " -ss ";
      command += start;
    }
    command += " -i";
    AppendQuotedPath(command, input.inputPath);
    if (!fromStart) command += " -ss 0";
    command += streamOptions;
    command += " -t ";
    command += MillisecondsAsCutTime(SpanMs(start, end));
    return;
  }
  command += " -fflags genpts -i";
  AppendQuotedPath(command, input.inputPath);
  command += " -ss ";
  command += start;
  command += streamOptions;
  command += " -to ";
  command += end;
}

// For a byte join the cut's time stamps continue where the previous cut
// ended, so that the joined bytes are one stream without jumps back: left
// as they are (no shift of an encoder's leading negative decoding times),
// after the cuts before it. Measured: restarting at every cut, a "Windows
// File" join of 1 s + 1.25 s showed 1.28 s and "FFmpeg File" relied on
// ffmpeg mending each jump.
void AppendFollowOn(std::string& command, std::int64_t joinedMs) {
  command += " -avoid_negative_ts disabled";
  if (joinedMs == 0) return;
  command += " -output_ts_offset ";
  command += MillisecondsAsCutTime(joinedMs);
}

}  // namespace

std::string_view CopyCutTime(std::span<const std::string> times, std::size_t i,
                             std::string_view otherwise) {
  return i < times.size() && !times[i].empty() ? std::string_view(times[i]) : otherwise;
}

bool TrimReadsParameterTable(bool expertMode, int cutMode) {
  return expertMode && cutMode == kReencodeCut;
}

std::string BuildTrimCommand(const TrimCommandInput& input, const StreamTable& streams,
                             std::span<const Cut> cuts) {
  if (!AnyRowChecked(streams) || cuts.empty()) return {};
  if (input.concatMode < kDemuxerConcat || input.concatMode > kCutOnly) return {};

  // The streams and their options are the same in every cut line.
  std::string streamOptions;
  AppendMappedStreams(streamOptions, streams, streams.RowCount(),
                      CutStreamRules(input.cutMode, input.expertMode));

  const std::vector<std::string> cutFiles =
      CutFilePaths(input.tempDir, cuts.size(), input.outputPath);
  const bool byteJoin = JoinsByteByByte(input.concatMode);
  std::int64_t joinedMs = 0;  // where the cut begins in the joined file
  std::string command;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    const bool copy = CopiesCuts(input.cutMode);
    const std::string_view start = copy ? CopyCutTime(input.copyStarts, i, cuts[i].in) : cuts[i].in;
    const std::string_view end = copy ? CopyCutTime(input.copyEnds, i, cuts[i].out) : cuts[i].out;
    AppendCutSection(command, input, start, end, streamOptions);
    if (byteJoin) AppendFollowOn(command, joinedMs);
    joinedMs += SpanMs(start, end);
    AppendQuotedPath(command, cutFiles[i]);
    command += "\r\n";
  }
  command += JoinLine(input, cutFiles);
  return command;
}

std::vector<std::string> TrimCommandLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
    lines.emplace_back(text.substr(start, end - start));
  lines.emplace_back(text.substr(start));
  return lines;
}

std::string CutFilePath(std::string_view tempDir, std::size_t number, std::string_view outputPath) {
  std::string path(tempDir);
  path += "\\temp";
  path += std::to_string(number);
  path += PathExtension(outputPath);
  return path;
}

std::vector<std::string> CutFilePaths(std::string_view tempDir, std::size_t count,
                                      std::string_view outputPath) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < count; ++i) paths.push_back(CutFilePath(tempDir, i, outputPath));
  return paths;
}

}  // namespace trellimux
