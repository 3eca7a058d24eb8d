// The Trim box in "Smart Copy" mode, once the lookup has planned the cuts:
// per cut a block of lines (blocks apart by an empty line), then the join.
// A cut of an MPEG-TS is the run that writes its head's and end's pieces
// (the video encoded, the other streams copied), and the program's copy of
// the source's packets between them, which puts it all together into the
// cut's file. A cut of an MP4 is that run (with the other streams whole),
// the copy of its video between, the line that puts them into the cut's
// file, and the program's step that adds the source's parameter sets to
// its sample description. A cut that cannot
// be made exact is made as in "Copy", and the box's caller is told which
// and why, before anything runs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cmdline/SmartCopyEncoding.h"
#include "cmdline/SmartCutLines.h"
#include "cmdline/TrimCommand.h"
#include "params/StreamTable.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"
#include "trim/TransportCopy.h"

namespace trellimux {

// What the lookup found before the job: of the file, its checked video
// stream, and each cut.
struct SmartCopyFacts {
  bool transportInput = false;  // an MPEG-TS of 188-byte packets
  bool movieInput = false;      // an MP4, MOV or Matroska file of H.264 video
  // Of a movie, whether its checked other streams are all of codecs its
  // cuts' pieces carry (MoviePiecesCarry).
  bool othersCarried = true;
  std::int64_t startMicroseconds = 0;
  SmartEncoding encoding;  // the checked video stream's, by its probe report
  // Its program, map table and PID; none when the tables do not tell.
  std::optional<SourceTransport> transport;
  std::vector<std::optional<PlannedSmartCut>> cuts;
  // Per cut, the spans of the checked other streams (OtherStreamSpans).
  std::vector<std::vector<CopiedStream>> streamSpans;
  CopyCutTimes copies;  // where a cut made as "Copy" instead begins and ends
};

// The report's stream indexes of the checked rows a cut keeps: the video's,
// and the others' (audio and subtitles), in the table's order.
struct CheckedStreams {
  std::vector<std::size_t> video, others;
};
CheckedStreams ReadCheckedStreams(const StreamTable& streams);

// Whether a movie cut's other streams may be of `codec` (ffprobe's
// codec_name): its pieces are transport streams, put into an MP4.
bool MoviePiecesCarry(std::string_view codec);

// Why a cut is made as in "Copy" instead.
enum class SmartFallback {
  None,  // exact
  NotTransport,
  OutputNotTransport,
  OutputNotMovie,  // an MP4, MOV or Matroska input, and an output of another kind
  OtherStreams,    // of a movie, a checked other stream its pieces cannot carry
  VideoStreams,    // not exactly one video stream checked
  NoEncoder,
  PixelFormat,
  FieldOrder,
  ProgramIds,  // the video's PIDs are ones ffmpeg's multiplexer does not write
  NoPlan,      // no keyframe found near the cut's ends
};

// A line's part of the job's progress: where its "time=" ends (0: it tells
// nothing to go by) and its share of the work.
struct LineCost {
  double mediaSeconds = 0;
  double weight = 0;
};

// The lines' costs against a "Copy" line's second of media. Measured under
// Wine on a 1080i H.264 TS (the Smart Copy benchmark): a copied 10-minute
// cut took 3.2 s; encoding its 1.5 s head 2.0-3.0 s (about 250 copied
// seconds a second); a run that copies only other streams' pieces about
// 0.5 s; the program's copy of the cut 1.3 s.
inline constexpr double kEncodeCostPerCopySecond = 250;
inline constexpr double kStreamPieceCost = 150;
inline constexpr double kProgramCopyCost = 0.4;
// An MP4 cut's copy of its video, and the line that puts it together: each
// about as long as a "Copy" line's second (not measured on a long cut yet).
inline constexpr double kMovieCopyCost = 1;

struct SmartCopyCommand {
  std::string text;
  std::vector<SmartFallback> fallbacks;  // per cut
  std::vector<LineCost> costs;           // per line, the join's included
};

// Empty text when BuildTrimCommand's would be empty.
SmartCopyCommand BuildSmartCopyCommand(const TrimCommandInput& input, const StreamTable& streams,
                                       std::span<const Cut> cuts, const SmartCopyFacts& facts);

// The Trim box's blocks: its text split at each empty line, each block's
// lines split at CR LF. A box without an empty line is one line a block.
std::vector<std::vector<std::string>> TrimCommandBlocks(std::string_view text);

// The note that names each cut not made exact and says what is done
// instead; empty when every cut is exact.
std::string SmartFallbackNote(std::span<const SmartFallback> fallbacks);

}  // namespace trellimux
