// What a job's progress is measured against: its parts (one ffmpeg run
// each) with the media seconds each run writes and its share of the work.
// Known on the window's thread when the job starts, except for a Concat
// job, whose inputs are probed by the runner.
#pragma once

#include <optional>
#include <vector>

#include "jobs/TimeLeft.h"
#include "trim/CutList.h"

namespace trellimux {

// A Convert job: the input's probed length, or the span the start and end
// pickers give when they are ticked. Empty when no length is known.
std::vector<JobPart> ConvertProgressParts(std::optional<double> probedSeconds,
                                          std::optional<double> startSeconds,
                                          std::optional<double> endSeconds);

// A stream-copy join of reencoded cuts goes many times faster than the cuts
// did: its share is this part of its seconds. (Copied cuts and their join
// go at the same pace.)
inline constexpr double kCopyJoinAfterReencodeShare = 0.1;

// A Trim job: one part per cut, then the join when ffmpeg makes it. Empty
// when a cut has no length (its Out is not after its In).
std::vector<JobPart> TrimProgressParts(const std::vector<Cut>& cuts, bool reencodedCuts,
                                       bool ffmpegJoin);

// A Concat job run by ffmpeg: the sum of the inputs' lengths; empty when
// one is unknown. (ffmpeg's own "Duration:" line says "N/A" for the concat
// demuxer's list and only the first part's length for "concat:" inputs.)
std::vector<JobPart> ConcatProgressParts(const std::vector<std::optional<double>>& inputSeconds);

}  // namespace trellimux
