#include "jobs/win/ConvertBatchRun.h"

#include <optional>
#include <string>
#include <vector>

#include "jobs/FailureText.h"
#include "jobs/JobKind.h"
#include "jobs/ProgressParts.h"
#include "jobs/win/FrameCaption.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/JobProgress.h"
#include "jobs/win/JobSteps.h"
#include "probe/ProbedDuration.h"
#include "process/ToolInvocation.h"
#include "process/win/PlatformError.h"
#include "process/win/ToolOutput.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

struct PlannedFile {
  std::string arguments;  // empty: the file is not run
  std::vector<JobPart> parts;
};

void LogLine(const JobDescription& job, const std::string& line) {
  AppendJobLog(job.logWindow, line + "\r\n");
}

void LogState(const JobDescription& job, const std::vector<BatchFile>& files, std::size_t index) {
  LogLine(job, BatchStateLine(files[index], index, files.size()));
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Why the prober could not describe a file, in its own words without the
// path it names: "Invalid data found when processing input".
std::string ProbeFailureCause(const JobDescription& job, const std::string& input) {
  const std::optional<ToolOutput> said =
      RunToolToEnd(job.toolDirectory, FfmpegTool::Ffprobe, ProbeErrorArguments(input));
  const std::vector<std::string> causes = CauseLines(said ? said->text : std::string());
  return causes.empty() ? "ffprobe could not read it" : ReasonWithoutPath(causes.front(), input);
}

// Probes a waiting file and makes its command; a file that cannot be read
// or converted so ends here, with the reason.
PlannedFile Plan(const JobDescription& job, BatchFile& file) {
  const ConvertBatchJob& batch = *job.batch;
  const std::optional<ToolOutput> report =
      RunToolToEnd(job.toolDirectory, FfmpegTool::Ffprobe, ProbeArguments(file.input));
  if (!report || report->exitCode != 0 || report->text.empty()) {
    file.state = BatchState::Failed;
    file.reason = ProbeFailureCause(job, file.input);
    return {};
  }
  BatchCommand command =
      BuildBatchCommand(batch.settings, report->text, file.input, TemporaryOutputPath(file.output));
  if (!command.arguments) {
    file.state = BatchState::Skipped;
    file.reason = std::move(command.skipReason);
    return {};
  }
  return {std::move(*command.arguments),
          ConvertProgressParts(ProbedDuration(report->text), SecondsOfDay(batch.settings.startTime),
                               SecondsOfDay(batch.settings.endTime))};
}

// Asked on the window thread; true: stop the rest.
bool StopTheRest(const JobDescription& job) {
  return SendMessageA(job.mainWindow, kBatchStopQuestionMessage, 0, 0) == 1;
}

// The run of one file: its temporary output renamed when ffmpeg ended
// well. A failure is the file's, not the batch's.
void Convert(const JobDescription& job, BatchFile& file, const std::string& arguments,
             std::size_t part) {
  const std::string temporary = TemporaryOutputPath(file.output);
  // One left by an earlier batch goes; one that cannot go (a folder, a file
  // held open) fails the file, as ffmpeg would wait for ever to be told
  // whether to overwrite it.
  if (!DeleteFileA(temporary.c_str()) && Exists(temporary)) {
    file.state = BatchState::Failed;
    file.reason = TemporaryOutputPath(PathFileName(file.output)) +
                  " could not be replaced: " + PlatformErrorText(GetLastError());
    return;
  }
  JobDescription run = job;
  run.outputPath = temporary;
  job.results->failureCause.clear();
  const FfmpegRunEnd end = RunFfmpeg(run, arguments, {}, part);
  if (job.results->cancelled || end == FfmpegRunEnd::Forced) {
    file.state = BatchState::Cancelled;
  } else if (end == FfmpegRunEnd::Failed) {
    file.state = BatchState::Failed;
    file.reason = job.results->failureCause.empty()
                      ? job.results->errorText
                      : ReasonWithoutPath(job.results->failureCause, file.input);
    *job.jobKind = kConvertBatchJob;  // the batch goes on
    job.results->errorText.clear();
  } else if (MoveFileExA(temporary.c_str(), file.output.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    file.state = BatchState::Done;
  } else {
    file.state = BatchState::Failed;
    file.reason = "it could not be renamed: " + PlatformErrorText(GetLastError());
  }
  file.keptTemporary = file.state != BatchState::Done && Exists(temporary);
}

}  // namespace

void RunConvertBatch(const JobDescription& job) {
  std::vector<BatchFile> files = job.batch->files;
  ClearJobLog(job.logWindow);
  LogLine(job,
          "Converting " + std::to_string(files.size()) + " files into " + job.batch->folder + ":");
  for (std::size_t i = 0; i < files.size(); ++i) LogState(job, files, i);

  std::vector<PlannedFile> plans(files.size());
  std::vector<JobPart> parts;
  bool measured = true;
  bool stopped = false;
  // A press while the files are probed stops the batch before it converts.
  for (std::size_t i = 0; i < files.size() && !(stopped = TakeCancelRequest(job)); ++i) {
    if (files[i].state != BatchState::Waiting) continue;
    plans[i] = Plan(job, files[i]);
    if (plans[i].arguments.empty()) {
      LogState(job, files, i);
      continue;
    }
    measured = measured && !plans[i].parts.empty();
    parts.insert(parts.end(), plans[i].parts.begin(), plans[i].parts.end());
  }
  if (!measured) parts.clear();  // a file of unknown length: the bar runs as a marquee

  JobDescription run = job;
  JobProgress progress(run, parts);
  run.progress = &progress;
  std::size_t part = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    BatchFile& file = files[i];
    if (file.state == BatchState::Waiting && stopped) {
      file.state = BatchState::Cancelled;  // not started
      LogState(job, files, i);
    }
    if (file.state != BatchState::Waiting) continue;
    file.state = BatchState::Running;
    LogLine(job, "\r\n" + BatchStateLine(file, i, files.size()));
    LogLine(job, plans[i].arguments + "\r\n");
    Convert(run, file, plans[i].arguments, part++);
    LogLine(job, "");
    LogState(job, files, i);
    if (file.state == BatchState::Cancelled) {
      stopped = StopTheRest(job);
      // Going on: the next file starts as if no press had come.
      job.results->cancelled = false;
      *job.cancelRequested = 0;
      if (job.progressFrame && !stopped) SetFrameCaption(job.progressFrame, " Progress ");
    }
  }
  job.results->cancelled = stopped;
  job.results->batchSummary = BatchSummaryText(files, job.batch->folder);
  LogLine(job, "\r\n" + job.results->batchSummary);
  job.results->batchFiles = std::move(files);
}

}  // namespace trellimux
