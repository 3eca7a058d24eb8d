#include "jobs/ProgressParts.h"

#include "trim/CutTime.h"

namespace trellimux {

std::vector<JobPart> ConvertProgressParts(std::optional<double> probedSeconds,
                                          std::optional<double> startSeconds,
                                          std::optional<double> endSeconds) {
  const double start = startSeconds.value_or(0);
  std::optional<double> end = endSeconds;
  if (probedSeconds && (!end || *end > *probedSeconds)) end = probedSeconds;
  if (!end || *end <= start) return {};
  return {{*end - start, *end - start}};
}

std::vector<JobPart> TrimProgressParts(const std::vector<Cut>& cuts, bool reencodedCuts,
                                       bool ffmpegJoin) {
  std::vector<JobPart> parts;
  double sum = 0;
  for (const Cut& cut : cuts) {
    const double seconds =
        static_cast<double>(CutTimeMilliseconds(cut.out) - CutTimeMilliseconds(cut.in)) / 1000;
    if (seconds <= 0) return {};
    parts.push_back({seconds, seconds});
    sum += seconds;
  }
  if (ffmpegJoin && !parts.empty()) {
    parts.push_back({sum, reencodedCuts ? sum * kCopyJoinAfterReencodeShare : sum});
  }
  return parts;
}

std::vector<JobPart> ConcatProgressParts(const std::vector<std::optional<double>>& inputSeconds) {
  double sum = 0;
  for (const std::optional<double>& seconds : inputSeconds) {
    if (!seconds || *seconds <= 0) return {};
    sum += *seconds;
  }
  if (sum <= 0) return {};
  return {{sum, sum}};
}

}  // namespace trellimux
