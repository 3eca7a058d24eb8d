#include "jobs/win/TrimSequence.h"

#include <windows.h>

#include <string>
#include <vector>

#include "cmdline/SmartCopyCommand.h"
#include "concat/ConcatCommand.h"
#include "jobs/win/ByteCopyJoin.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/JobProgress.h"
#include "jobs/win/JobSteps.h"
#include "jobs/win/ParameterSetStep.h"
#include "jobs/win/TransportCopyStep.h"
#include "mp4/ParameterSetLine.h"
#include "text/PathText.h"
#include "trim/TransportCopyLine.h"

namespace trellimux {
namespace {

constexpr char kCommandEnd[] = "\r\n\r\n";  // after each logged command
constexpr char kRunEnd[] = "\r\n\r\n\r\n";  // after the output of each cut line

// The box's blocks (one a cut, then the join); one the box does not have
// counts as one empty line.
class BoxBlocks {
 public:
  explicit BoxBlocks(const std::string& text) : blocks_(TrimCommandBlocks(text)) {}
  std::vector<std::string> operator[](std::size_t i) const {
    return i < blocks_.size() && !blocks_[i].empty() ? blocks_[i] : std::vector<std::string>{""};
  }

 private:
  std::vector<std::vector<std::string>> blocks_;
};

// Logs the command, then runs it: an ffmpeg run with its output pumped into
// the log, or a copy the program makes.
FfmpegRunEnd LoggedRun(const JobDescription& job, const std::string& command,
                       const FfmpegRun& which, std::size_t progressPart) {
  AppendJobLog(job.logWindow, command + kCommandEnd);
  if (IsTransportCopyLine(command) || IsParameterSetLine(command)) {
    if (job.progress) job.progress->StartRun(which, progressPart);
    const bool ran = IsTransportCopyLine(command) ? RunTransportCopy(job, command, which)
                                                  : RunParameterSetStep(job, command, which);
    return ran ? FfmpegRunEnd::Ended : FfmpegRunEnd::Failed;
  }
  return RunFfmpeg(job, command, which, progressPart);
}

// A Smart Copy cut's pieces ("temp0-head.ts", "temp0-movie.mp4" and the
// like beside "temp0.ts") once its file is made: the copied packets of a long cut would
// otherwise take its size on the disk twice until the next start.
void RemovePieces(const std::string& cutFile) {
  const std::size_t folderEnd = cutFile.find_last_of("\\/") + 1;
  const std::string stem = cutFile.substr(0, cutFile.size() - PathExtension(cutFile).size());
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((stem + "-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileA((cutFile.substr(0, folderEnd) + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

void RunTrimSequence(const JobDescription& job) {
  const std::size_t cuts = job.cutFilePaths.size();
  if (cuts == 0) return;
  ClearJobLog(job.logWindow);
  const BoxBlocks blocks(job.commandText);
  std::size_t part = 0;  // the progress part of each line in turn
  for (std::size_t cut = 0; cut < cuts; ++cut) {
    const std::vector<std::string> lines = blocks[cut];
    for (const std::string& line : lines) {
      const FfmpegRunEnd end = LoggedRun(job, line, {FfmpegRun::kCut, cut + 1, cuts}, part++);
      if (end == FfmpegRunEnd::Failed) return;  // no later cut, no join of a missing cut
      // A child ended by force stopped mid-line; its output is left as it was.
      if (end == FfmpegRunEnd::Ended) AppendJobLog(job.logWindow, kRunEnd);
      if (job.results->cancelled) return;  // the remaining cuts and the join are skipped
    }
    if (lines.size() > 1) RemovePieces(job.cutFilePaths[cut]);
  }
  const std::string join = blocks[cuts].front();
  switch (job.trimConcatMode) {
    case kDemuxerConcat:
    case kFileConcat:
      LoggedRun(job, join, {FfmpegRun::kJoin}, part);
      return;
    case kWindowsFileConcat:
      RunTrimByteCopyJoin(job, join);
      return;
    default:  // no selection, the caption, "cut only": the cut files are the result
      return;
  }
}

}  // namespace trellimux
