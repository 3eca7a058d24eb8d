#include "jobs/win/TrimSequence.h"

#include <string>
#include <vector>

#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "jobs/win/ByteCopyJoin.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/JobSteps.h"

namespace trellimux {
namespace {

constexpr char kCommandEnd[] = "\r\n\r\n";  // after each logged command
constexpr char kRunEnd[] = "\r\n\r\n\r\n";  // after the output of each cut

// The box's lines; one the box does not have counts as empty.
class BoxLines {
 public:
  explicit BoxLines(const std::string& text) : lines_(TrimCommandLines(text)) {}
  std::string operator[](std::size_t i) const { return i < lines_.size() ? lines_[i] : ""; }

 private:
  std::vector<std::string> lines_;
};

// Logs the command, then runs it with its output pumped into the log.
FfmpegRunEnd LoggedRun(const JobDescription& job, const std::string& command,
                       const FfmpegRun& which) {
  AppendJobLog(job.logWindow, command + kCommandEnd);
  return RunFfmpeg(job, command, which);
}

}  // namespace

void RunTrimSequence(const JobDescription& job) {
  const std::size_t cuts = job.cutFilePaths.size();
  if (cuts == 0) return;
  ClearJobLog(job.logWindow);
  const BoxLines lines(job.commandText);
  for (std::size_t cut = 0; cut < cuts; ++cut) {
    const FfmpegRunEnd end = LoggedRun(job, lines[cut], {FfmpegRun::kCut, cut + 1, cuts});
    if (end == FfmpegRunEnd::Failed) return;  // no later cut, no join of a missing cut
    // A child ended by force stopped mid-line; its output is left as it was.
    if (end == FfmpegRunEnd::Ended) AppendJobLog(job.logWindow, kRunEnd);
    if (job.results->cancelled) return;  // the remaining cuts and the join are skipped
  }
  switch (job.trimConcatMode) {
    case kDemuxerConcat:
    case kFileConcat:
      LoggedRun(job, lines[cuts], {FfmpegRun::kJoin});
      return;
    case kWindowsFileConcat:
      RunTrimByteCopyJoin(job, lines[cuts]);
      return;
    default:  // no selection, the caption, "cut only": the cut files are the result
      return;
  }
}

}  // namespace trellimux
