// The Trim page's command text: one ffmpeg line per cut, each writing that
// section into a numbered file in the temporary folder, then the line that
// joins them (or a note when ffmpeg does not join them).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "params/StreamTable.h"
#include "trim/CutList.h"

namespace trellimux {

inline constexpr std::string_view kCutOnlyNote = " Concatenating media files disabled, cut only.";

struct TrimCommandInput {
  std::string_view inputPath;
  std::string_view outputPath;
  std::string_view tempDir;  // no trailing backslash
  int cutMode = 0;           // CutModeItem; no selection counts as 0
  int concatMode = 0;        // ConcatModeItem of list B; no selection counts as 0
  bool expertMode = false;
  // "Copy": where each cut's copy seeks to, from the keyframe search; a cut
  // without one, or with an empty one, seeks to its In.
  std::span<const std::string> copyStarts;
  // "Copy": where each cut's copy stops (CopyCutEnds); a cut without one, or
  // with an empty one, stops at its Out.
  std::span<const std::string> copyEnds;
};

// The i-th entry of a copy's starts or ends; `otherwise` when it is missing
// or empty.
std::string_view CopyCutTime(std::span<const std::string> times, std::size_t i,
                             std::string_view otherwise);

// Which stream table the lines are read from: the parameter table only in
// expert mode with "Reencode", else the source table.
bool TrimReadsParameterTable(bool expertMode, int cutMode);

// The whole text, lines joined by CR LF; empty when the table has no row,
// no checked row, there is no cut, or the concat mode is its caption.
// A "Copy" line seeks on the input side (ffmpeg starts it at a keyframe at or
// before the seek time) and ends after the duration up to its end; the other
// lines decode from the start and keep exactly In to Out. For a byte join
// each cut's time stamps continue where the previous cut's ended, so the
// joined bytes make one stream without jumps. Grows without a ceiling;
// paths are never cut.
std::string BuildTrimCommand(const TrimCommandInput& input, const StreamTable& streams,
                             std::span<const Cut> cuts);

// The text split at each CR LF: the cut lines, then the join line or note,
// as the job runs them one by one.
std::vector<std::string> TrimCommandLines(std::string_view text);

// tempDir + "\temp" + number + the output path's extension.
std::string CutFilePath(std::string_view tempDir, std::size_t number, std::string_view outputPath);

// The cut files of `count` cuts, in cut order (the Trim join's inputs).
std::vector<std::string> CutFilePaths(std::string_view tempDir, std::size_t count,
                                      std::string_view outputPath);

}  // namespace trellimux
