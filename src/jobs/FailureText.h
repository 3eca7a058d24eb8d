// What the user is told when an FFmpeg tool ended with a non-zero exit code:
// which run failed, with which code, the lines of the tool's own output that
// say why, whether an incomplete output was left, and where the whole output
// is. The job runner keeps the end of each child's output for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

// The last few KiB of a child's output, kept while it is read: the lines
// that say why a run failed come last, and a long run must not be held whole.
class OutputTail {
 public:
  static constexpr std::size_t kLimit = 4096;

  void Add(std::string_view bytes);
  // At most kLimit bytes, beginning at a whole line once older text was
  // dropped.
  std::string_view Text() const;

 private:
  std::string text_;
};

// The lines of a tool's output that state why it stopped, in their order,
// at most three. Progress and summary lines, blank lines and the closing
// "Conversion failed!" are no cause and are passed over; the stream listing
// above the messages ends the search. A component's prefix
// "[mp2 @ 0x55d0c8f0] " reads "mp2: ".
std::vector<std::string> CauseLines(std::string_view output);

// Which ffmpeg run of a job this is: the only one, a cut, or the join of the cuts.
struct FfmpegRun {
  enum Kind { kOnlyRun, kCut, kJoin };
  Kind kind = kOnlyRun;
  std::size_t cut = 0;  // kCut: from 1
  std::size_t cuts = 0;
};

// The box text for an ffmpeg run that ended with `exitCode` (not 0), having
// printed `output` (its end is enough). `leftOutput` names an output file
// that exists after the failure, empty when none does.
std::string FfmpegFailedText(const FfmpegRun& run, unsigned long exitCode, std::string_view output,
                             std::string_view leftOutput);

// The box text for a cut whose video packets the program could not copy
// (a line of the Trim box it runs itself), and `reason` why.
std::string CopyFailedText(const FfmpegRun& run, std::string_view reason);

// The box text for a probe whose ffprobe ended with a non-zero code or
// printed nothing: the file could not be read.
std::string ProbeFailedText(std::string_view inputPath, unsigned long exitCode,
                            std::string_view output);

}  // namespace trellimux
