#include "cmdline/SmartCopyCommand.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "concat/ByteJoin.h"
#include "concat/ConcatCommand.h"
#include "mp4/ParameterSetLine.h"
#include "params/ParameterColumns.h"
#include "probe/TypeTag.h"
#include "text/AsciiText.h"
#include "text/PathText.h"
#include "trim/CutTime.h"
#include "trim/TransportCopyLine.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlockGap = "\r\n\r\n";

// The multiplexer writes MPEG-TS for these (".m2ts" with 192-byte packets).
constexpr std::array<std::string_view, 3> kTransportExtensions = {".ts", ".m2ts", ".mts"};
// And MP4 or QuickTime files with a sample description for these, or a
// Matroska file copied from such a file.
constexpr std::array<std::string_view, 4> kMovieExtensions = {".mp4", ".mov", ".m4v", ".mkv"};

// The codecs that both ffmpeg's MPEG-TS multiplexer and its MP4 one write
// (libavformat's mpegtsenc.c stream types, movenc.c codec_mp4_tags; 4.1
// and 5.1 alike), and so a movie cut's pieces carry.
constexpr std::array<std::string_view, 5> kMoviePieceCodecs = {"aac", "mp3", "mp2", "ac3", "eac3"};

bool EndsWithOneOf(std::string_view path, std::span<const std::string_view> extensions) {
  const std::string_view extension = PathExtension(path);
  return std::ranges::any_of(extensions, [extension](std::string_view known) {
    return EqualsIgnoringCase(known, extension);
  });
}

}  // namespace

bool MoviePiecesCarry(std::string_view codec) {
  return std::ranges::find(kMoviePieceCodecs, codec) != kMoviePieceCodecs.end();
}

CheckedStreams ReadCheckedStreams(const StreamTable& streams) {
  CheckedStreams checked;
  for (std::size_t i = 0; i < streams.RowCount(); ++i) {
    const TableRow& row = streams.Row(i);
    const StreamKind kind = KindOfTag(row.typeTag);
    if (!row.checked || kind == StreamKind::Other) continue;
    (kind == StreamKind::Video ? checked.video : checked.others)
        .push_back(static_cast<std::size_t>(std::strtoul(row.cells[kStream].c_str(), nullptr, 10)));
  }
  return checked;
}

namespace {

// The stream of the input that a line maps: "0:1".
std::string Map(std::size_t stream) { return "0:" + std::to_string(stream); }

// What keeps every cut of the file from being exact; None when nothing does.
SmartFallback FileFallback(const TrimCommandInput& input, const CheckedStreams& checked,
                           const SmartCopyFacts& facts) {
  if (facts.movieInput) {
    if (!EndsWithOneOf(input.outputPath, kMovieExtensions)) return SmartFallback::OutputNotMovie;
    if (!facts.othersCarried) return SmartFallback::OtherStreams;
  } else {
    if (!facts.transportInput) return SmartFallback::NotTransport;
    if (!EndsWithOneOf(input.outputPath, kTransportExtensions))
      return SmartFallback::OutputNotTransport;
  }
  if (checked.video.size() != 1) return SmartFallback::VideoStreams;
  if (!facts.encoding.options) {
    switch (facts.encoding.refusal) {
      case SmartEncodeRefusal::PixelFormat:
        return SmartFallback::PixelFormat;
      case SmartEncodeRefusal::UnknownFieldOrder:
        return SmartFallback::FieldOrder;
      default:
        return SmartFallback::NoEncoder;
    }
  }
  if (!facts.transport || !MultiplexerTakes(*facts.transport) ||
      facts.transport->otherPids.size() != checked.others.size())
    return SmartFallback::ProgramIds;
  return SmartFallback::None;
}

std::string PiecePath(std::string_view tempDir, std::size_t cut, std::string_view piece,
                      std::string_view extension = ".ts") {
  std::string path(tempDir);
  path += "\\temp" + std::to_string(cut) + "-" + std::string(piece) + std::string(extension);
  return path;
}

// The decoding of a byte join's cut may begin this many frames before its
// first frame is shown: more than the B-frames in a row of broadcasts and of
// our encoders (three).
constexpr std::int64_t kSeamFrames = 4;

// A frame's duration: of the encoder's rate, or from the plan's runs (a
// copied run counts only the frames listed near the cut's ends); 40 ms
// (25 fps) when no run has two frames.
std::int64_t FrameUs(const SmartCutPlan& plan, const FrameRate& rate) {
  if (rate.num > 0) return 1000000 * rate.den / rate.num;
  for (const FrameRun* run : {&plan.head, &plan.end, &plan.copied})
    if (run->count > 1) return (run->lastPts - run->firstPts) / (run->count - 1);
  return 40000;
}

// An encoded run's seconds, its last frame's included.
double RunSeconds(const FrameRun& run) {
  const double span = static_cast<double>(run.lastPts - run.firstPts) / 1e6;
  return run.count > 1 ? span * run.count / (run.count - 1) : 0.04;
}

// The lines of one exact cut, with their costs.
struct CutBlock {
  std::vector<std::string> lines;
  std::vector<LineCost> costs;
};

CutBlock ExactCutBlock(const TrimCommandInput& input, std::size_t index, const PlannedSmartCut& cut,
                       const CheckedStreams& checked, const SmartCopyFacts& facts,
                       std::span<const CopiedStream> spans, std::int64_t begins,
                       std::string_view cutFile) {
  const SmartCutPlan& plan = cut.plan;
  const SourceTransport& transport = *facts.transport;
  const std::int64_t firstShown = FirstShown(plan);
  TransportCut joined;
  joined.pids.push_back(transport.videoPid);
  joined.pids.insert(joined.pids.end(), transport.otherPids.begin(), transport.otherPids.end());
  joined.moveMicroseconds = begins - firstShown;
  CutBlock block;
  // A head's or end's pieces, and their paths in the order the copy puts
  // them.
  double encodeCost = 0;
  std::vector<PieceRun> runs;
  auto pieces = [&](const FrameRun& frames, std::string_view name,
                    std::vector<StreamPiece> others) -> std::vector<std::string> {
    PieceRun run;
    std::vector<std::string> paths;
    if (frames.count > 0) {
      run.video =
          VideoPiece{frames, Map(checked.video.front()), PiecePath(input.tempDir, index, name),
                     GridShift(frames.firstPts, facts.encoding.gridRate)};
      paths.push_back(run.video->path);
      encodeCost += RunSeconds(frames) * kEncodeCostPerCopySecond;
    }
    for (StreamPiece& piece : others) {
      if (piece.to - piece.from <= 2 * kFrameTimeSlackUs) continue;
      piece.path =
          PiecePath(input.tempDir, index, std::string(name) + "-" + std::to_string(piece.pid));
      paths.push_back(piece.path);
      run.others.push_back(std::move(piece));
    }
    if (run.video || !run.others.empty()) runs.push_back(std::move(run));
    return paths;
  };
  // Each other stream's head ends where its copy begins, and its end
  // begins where its copy ends.
  std::vector<StreamPiece> heads, ends;
  for (std::size_t i = 0; i < spans.size() && i < checked.others.size(); ++i) {
    heads.push_back({Map(checked.others[i]), spans[i].pid, firstShown, spans[i].fromPts, {}});
    ends.push_back({Map(checked.others[i]), spans[i].pid, spans[i].toPts, cut.out, {}});
  }
  joined.firstPieces = pieces(plan.head, "head", heads);
  if (cut.copyFrom) {
    joined.video = TransportCopyRange{cut.copyFrom->bytePos, cut.copyFrom->pts, plan.copyStopDts};
    joined.others.assign(spans.begin(), spans.end());
  }
  joined.lastPieces = pieces(plan.end, "end", ends);
  if (!runs.empty()) {
    block.lines.push_back(SmartPieceLine(input.inputPath, facts.startMicroseconds, runs,
                                         *facts.encoding.options, transport));
    block.costs.push_back({0, encodeCost + kStreamPieceCost});
  }
  block.lines.push_back(
      TransportCopyLine({std::string(input.inputPath), std::string(cutFile), joined}));
  const double seconds = static_cast<double>(cut.out - firstShown) / 1e6;
  block.costs.push_back({0, kProgramCopyCost * seconds});
  return block;
}

// The encoder's parameter sets take ids of their own (x264's sps-id), so
// that they and the source's can both stand in one sample description.
std::string WithOwnParameterSetIds(std::string options) {
  constexpr std::string_view kParams = " -x264-params ";
  const std::size_t at = options.find(kParams);
  if (at == std::string::npos) {
    options += kParams;
    options += "sps-id=1";
    return options;
  }
  options.insert(at + kParams.size(), "sps-id=1:");
  return options;
}

// The lines of one exact cut of an MP4, with their costs.
CutBlock MovieCutBlock(const TrimCommandInput& input, std::size_t index, const PlannedSmartCut& cut,
                       const CheckedStreams& checked, const SmartCopyFacts& facts,
                       std::string_view cutFile) {
  const SmartCutPlan& plan = cut.plan;
  const SourceTransport& transport = *facts.transport;
  const std::int64_t firstShown = FirstShown(plan);
  const double seconds = static_cast<double>(cut.out - firstShown) / 1e6;
  std::vector<PieceRun> runs;
  std::vector<std::string> encoded, others;  // the pieces' paths
  double cost = kStreamPieceCost;
  auto encode = [&](const FrameRun& frames, std::string_view name) {
    if (frames.count == 0) return;
    encoded.push_back(PiecePath(input.tempDir, index, name));
    runs.push_back({VideoPiece{frames, Map(checked.video.front()), encoded.back(),
                               GridShift(frames.firstPts, facts.encoding.gridRate)},
                    {}});
    cost += RunSeconds(frames) * kEncodeCostPerCopySecond;
  };
  encode(plan.head, "head");
  encode(plan.end, "end");
  PieceRun whole;
  for (std::size_t i = 0; i < checked.others.size(); ++i) {
    const int pid = transport.otherPids[i];
    whole.others.push_back({Map(checked.others[i]), pid, firstShown, cut.out,
                            PiecePath(input.tempDir, index, "other-" + std::to_string(pid))});
    others.push_back(whole.others.back().path);
  }
  if (!whole.others.empty()) runs.push_back(std::move(whole));
  CutBlock block;
  block.lines.push_back(SmartPieceLine(input.inputPath, facts.startMicroseconds, runs,
                                       WithOwnParameterSetIds(*facts.encoding.options), transport));
  block.costs.push_back({0, cost});
  // The video in order: the head, the copy, the end.
  std::vector<std::string> video = encoded;
  if (cut.copyFrom) {
    const std::string copy = PiecePath(input.tempDir, index, "copy");
    video.insert(plan.head.count > 0 ? video.begin() + 1 : video.begin(), copy);
    block.lines.push_back(SmartMovieCopyLine(input.inputPath, facts.startMicroseconds,
                                             Map(checked.video.front()), cut.copyFrom->pts,
                                             plan.copyStopDts, transport, copy));
    block.costs.push_back({0, kMovieCopyCost * seconds});
  }
  // A Matroska cut is made as an MP4 first: its sample description, with
  // every parameter set the step added, becomes the Matroska track's.
  const bool intoMatroska = EqualsIgnoringCase(PathExtension(cutFile), ".mkv");
  const std::string movieFile =
      intoMatroska ? PiecePath(input.tempDir, index, "movie", ".mp4") : std::string(cutFile);
  block.lines.push_back(SmartMovieMuxLine(video, others, firstShown, movieFile));
  block.costs.push_back({0, kMovieCopyCost * seconds});
  block.lines.push_back(ParameterSetLine({std::string(input.inputPath), encoded, movieFile}));
  block.costs.push_back({0, 1});
  if (intoMatroska) {
    block.lines.push_back(MatroskaFromMovieLine(movieFile, cutFile));
    block.costs.push_back({0, kMovieCopyCost * seconds});
  }
  return block;
}

std::string_view FallbackReason(SmartFallback fallback) {
  switch (fallback) {
    case SmartFallback::NotTransport:
      return "the input is not a .ts recording (an MPEG transport stream), nor an .mp4, .mov or "
             ".mkv file of H.264 video";
    case SmartFallback::OutputNotTransport:
      return "the output is not a .ts, .m2ts or .mts file";
    case SmartFallback::OutputNotMovie:
      return "the output is not an .mp4, .mov, .m4v or .mkv file";
    case SmartFallback::OtherStreams:
      return "Smart Copy can keep only AAC, MP3, MP2, AC-3 and E-AC-3 sound beside the video of "
             "this file; untick the other sound and subtitle streams to cut it exactly";
    case SmartFallback::VideoStreams:
      return "Smart Copy needs exactly one ticked video stream";
    case SmartFallback::NoEncoder:
      // HEVC among them: its cuts are not made exact yet.
      return "Smart Copy can encode only H.264 and MPEG-2 video again, not the video of this file";
    case SmartFallback::PixelFormat:
      return "the encoder cannot write the picture format of this video";
    case SmartFallback::FieldOrder:
      return "this interlaced video does not say which field comes first";
    case SmartFallback::ProgramIds:
      return "FFmpeg cannot write the stream numbers (PIDs) of this recording";
    case SmartFallback::NoPlan:
      return "no key frame was found near its start or end";
    default:
      return "";
  }
}

}  // namespace

SmartCopyCommand BuildSmartCopyCommand(const TrimCommandInput& input, const StreamTable& streams,
                                       std::span<const Cut> cuts, const SmartCopyFacts& facts) {
  // The "Copy" lines: for the cuts made so instead, and the join.
  TrimCommandInput copyInput = input;
  copyInput.cutMode = kCopyCut;
  copyInput.copyStarts = facts.copies.starts;
  copyInput.copyEnds = facts.copies.ends;
  const std::string copyText = BuildTrimCommand(copyInput, streams, cuts);
  if (copyText.empty()) return {};
  const std::vector<std::string> copyLines = TrimCommandLines(copyText);

  const CheckedStreams checked = ReadCheckedStreams(streams);
  const SmartFallback forAll = FileFallback(input, checked, facts);
  // A byte join's cut begins where the one before ended, after the delay
  // the "Copy" lines' multiplexer adds; otherwise each keeps the source's
  // time stamps.
  const bool byteJoin = JoinsByteByByte(input.concatMode);
  std::int64_t joinedUs = 0;
  SmartCopyCommand command;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    const std::optional<PlannedSmartCut>* planned =
        i < facts.cuts.size() ? &facts.cuts[i] : nullptr;
    SmartFallback fallback = forAll;
    // A copy begins at its keyframe's byte, which the list must give.
    const bool plannable =
        planned && *planned &&
        (facts.movieInput ||
         ((!(*planned)->copyFrom || (*planned)->copyFrom->bytePos >= 0) &&
          i < facts.streamSpans.size() && facts.streamSpans[i].size() == checked.others.size()));
    if (fallback == SmartFallback::None && !plannable) fallback = SmartFallback::NoPlan;
    command.fallbacks.push_back(fallback);
    if (i > 0) command.text += kBlockGap;
    if (fallback != SmartFallback::None) {
      const std::int64_t spanUs =
          1000 * std::max<std::int64_t>(
                     CutTimeMilliseconds(CopyCutTime(facts.copies.ends, i, cuts[i].out)) -
                         CutTimeMilliseconds(CopyCutTime(facts.copies.starts, i, cuts[i].in)),
                     0);
      command.text += copyLines[i];
      command.costs.push_back({spanUs / 1e6, spanUs / 1e6});
      joinedUs += spanUs;
      continue;
    }
    const PlannedSmartCut& cut = **planned;
    const std::int64_t firstShown = FirstShown(cut.plan);
    // A cut's first packets are decoded before its first frame is shown
    // (by the reordering delay of its B-frames), and in a byte join they
    // would be decoded before the last frames of the cut before them
    // (measured: "non monotonically increasing dts" across each seam). A
    // gap of a few frames keeps every decoding time rising.
    if (byteJoin && i > 0) joinedUs += kSeamFrames * FrameUs(cut.plan, facts.encoding.gridRate);
    // Where the cut's first frame lies in its file: the source's own time,
    // or in a byte join after the cuts before it.
    const std::int64_t begins = byteJoin ? joinedUs + kMultiplexerDelayUs : firstShown;
    const std::span<const CopiedStream> spans = i < facts.streamSpans.size()
                                                    ? std::span(facts.streamSpans[i])
                                                    : std::span<const CopiedStream>();
    const std::string cutFile = CutFilePath(input.tempDir, i, input.outputPath);
    const CutBlock block =
        facts.movieInput ? MovieCutBlock(input, i, cut, checked, facts, cutFile)
                         : ExactCutBlock(input, i, cut, checked, facts, spans, begins, cutFile);
    for (std::size_t line = 0; line < block.lines.size(); ++line)
      command.text += (line ? std::string(kLineEnd) : "") + block.lines[line];
    command.costs.insert(command.costs.end(), block.costs.begin(), block.costs.end());
    joinedUs += cut.out - firstShown;
  }
  command.text += kBlockGap;
  command.text += copyLines.back();
  if (input.concatMode == kDemuxerConcat || input.concatMode == kFileConcat) {
    const double seconds = static_cast<double>(joinedUs) / 1e6;
    command.costs.push_back({seconds, seconds});
  }
  return command;
}

std::vector<std::vector<std::string>> TrimCommandBlocks(std::string_view text) {
  std::vector<std::vector<std::string>> blocks;
  const bool inBlocks = text.find(kBlockGap) != std::string_view::npos;
  for (std::string& line : TrimCommandLines(text)) {
    if (blocks.empty() || !inBlocks) blocks.emplace_back();
    if (line.empty() && inBlocks) {
      if (!blocks.back().empty()) blocks.emplace_back();
      continue;
    }
    blocks.back().push_back(std::move(line));
  }
  if (!blocks.empty() && blocks.back().empty()) blocks.pop_back();
  return blocks;
}

std::string SmartFallbackNote(std::span<const SmartFallback> fallbacks) {
  std::string reasons;
  const bool allAlike =
      fallbacks.size() > 1 && std::ranges::all_of(fallbacks, [&](SmartFallback fallback) {
        return fallback == fallbacks.front();
      });
  for (std::size_t i = 0; i < fallbacks.size(); ++i) {
    if (fallbacks[i] == SmartFallback::None) continue;
    reasons += allAlike ? std::string("Every cut") : "Cut " + CutNumberText(i);
    reasons += ": ";
    reasons += FallbackReason(fallbacks[i]);
    reasons += ".\r\n";
    if (allAlike) break;
  }
  if (reasons.empty()) return {};
  return "Smart Copy cannot make these cuts exact to the frame:\r\n" + reasons +
         "\r\nThey will be copied from the key frame before their start, as in \"Copy\", so they "
         "may begin up to a few seconds early.\r\n\r\nStart anyway?";
}

}  // namespace trellimux
