#include "jobs/win/JobRunner.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "jobs/FailureText.h"
#include "jobs/JobKind.h"
#include "jobs/PendingLog.h"
#include "jobs/ProgressParts.h"
#include "jobs/win/ByteCopyJoin.h"
#include "jobs/win/ChildStopper.h"
#include "jobs/win/ConvertBatchRun.h"
#include "jobs/win/FrameCaption.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/JobProgress.h"
#include "jobs/win/JobSteps.h"
#include "jobs/win/TrimSequence.h"
#include "probe/ProbedDuration.h"
#include "process/ChildCommandLine.h"
#include "process/ToolInvocation.h"
#include "process/win/ChildProcess.h"
#include "process/win/PlatformError.h"
#include "process/win/ToolOutput.h"

namespace trellimux {
namespace {

// One read of the child's output: as much as the pipe holds, so that a
// child printing at full speed costs few reads.
constexpr DWORD kReadSize = 64 * 1024;
// How often the job thread looks for a cancel request while the child is
// silent.
constexpr std::chrono::milliseconds kCancelPoll{50};

constexpr char kLogHeaderEnd[] = "\r\n\r\n\r\n";

// The log window gets a running child's output at most this often, all
// that gathered in one call: each call keeps the window thread from the
// user for a while, and the more often it comes, the less it answers.
constexpr std::chrono::milliseconds kLogShowInterval{100};

// The log of a job of one run: its argument text, then the child's output.
void StartLog(const JobDescription& job, const std::string& arguments) {
  ClearJobLog(job.logWindow);
  AppendJobLog(job.logWindow, arguments + kLogHeaderEnd);
}

// On failure the job is marked failed and false comes back.
bool StartTool(const JobDescription& job, FfmpegTool tool, const std::string& arguments,
               ChildProcess& child) {
  const std::string program = ToolPath(job.toolDirectory, tool);
  const std::optional<std::string> commandLine = ChildCommandLine(program, arguments);
  if (!commandLine) {
    Fail(job, kCommandTooLongText);
    return false;
  }
  if (const DWORD error = child.Start(program, *commandLine)) {
    Fail(job, StartFailureText(program, child.FailedStep(), error));
    return false;
  }
  return true;
}

// The prober's report is read while it runs (a report larger than the pipe
// would otherwise block it for ever) and kept whole.
void RunProbe(const JobDescription& job) {
  const std::string arguments = ProbeArguments(job.inputPath);
  StartLog(job, arguments);
  ChildProcess child;
  if (!StartTool(job, FfmpegTool::Ffprobe, arguments, child)) return;
  std::string report = child.ReadToEnd();
  const DWORD exitCode = child.WaitAndClose();
  if (exitCode != 0 || report.empty()) {  // no report to parse: the file could not be read
    AppendJobLog(job.logWindow, report);
    OutputTail tail;
    tail.Add(report);
    Fail(job, ProbeFailedText(job.inputPath, exitCode, tail.Text()));
    return;
  }
  JobResults& results = *job.results;
  results.report = std::move(report);
  (job.kind == kConvertProbeJob ? results.convertReportSize : results.trimReportSize) =
      results.report.size();
  AppendJobLog(job.logWindow, results.report);
}

// The frame's caption shows that the press was taken; a press held back
// while the child finishes is answered in the log.
void CheckCancel(const JobDescription& job, ChildStopper& stopper) {
  if (!TakeCancelRequest(job)) return;
  if (job.progressFrame) SetFrameCaption(job.progressFrame, kStoppingCaption);
  const std::string notice = stopper.Request();
  if (!notice.empty()) AppendJobLog(job.logWindow, "\r\n" + notice + "\r\n");
}

// The end of the output is kept as it came, for the text of a failure.
void ReadAllOutput(ChildProcess& child, PendingLog& pending, OutputTail& tail) {
  std::vector<char> block(kReadSize);
  while (const DWORD count = child.Read(block.data(), kReadSize)) {
    pending.Add({block.data(), count});
    tail.Add({block.data(), count});
  }
  pending.End();
}

struct PumpedRun {
  bool forced = false;  // ended by force
  DWORD exitCode = 0;
  OutputTail tail;
};

// A reader thread drains the pipe into `pending` and never waits for the
// window; this thread hands the window what gathered since its last append,
// at most once per interval after the window's last call ended, and looks
// for cancel requests meanwhile, so a silent child can be stopped.
PumpedRun PumpOutput(const JobDescription& job, ChildProcess& child) {
  PumpedRun run;
  PendingLog pending;
  std::thread reader;
  try {
    reader = std::thread(&ReadAllOutput, std::ref(child), std::ref(pending), std::ref(run.tail));
  } catch (const std::system_error&) {
    // No thread to spare: read it all here; nothing is lost, but the log
    // fills only at the end and a cancel request waits for it.
    ReadAllOutput(child, pending, run.tail);
  }
  ChildStopper stopper(child, job.stopGrace);
  using Clock = std::chrono::steady_clock;
  Clock::time_point shown = Clock::now() - kLogShowInterval;
  for (;;) {
    CheckCancel(job, stopper);
    const auto sinceShown =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - shown);
    if (sinceShown < kLogShowInterval) pending.WaitForEnd(kLogShowInterval - sinceShown);
    PendingLog::Taken taken = pending.Take(kCancelPoll);
    if (job.progress) job.progress->Read(taken.text);
    if (!taken.text.empty()) {
      AppendJobLog(job.logWindow, taken.text);
      shown = Clock::now();
    }
    if (taken.ended) break;
  }
  if (reader.joinable()) reader.join();
  run.exitCode = child.WaitAndClose();
  run.forced = stopper.Forced();
  return run;
}

// The output file named when a failed run left one behind; "" otherwise.
std::string_view LeftOutput(const std::string& path) {
  if (path.empty()) return {};
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return path;
}

void RunSingleFfmpeg(const JobDescription& job) {
  StartLog(job, job.commandText);
  RunFfmpeg(job, job.commandText);
}

// An input's length from the prober's format section; nothing when it
// cannot be read.
std::optional<double> ProbeLength(const JobDescription& job, const std::string& input) {
  const std::optional<ToolOutput> report =
      RunToolToEnd(job.toolDirectory, FfmpegTool::Ffprobe, LengthProbeArguments(input));
  if (!report || report->exitCode != 0) return std::nullopt;
  return ProbedDuration(report->text);
}

// The job's progress parts; a Concat job run by ffmpeg first has its
// inputs' lengths probed.
std::vector<JobPart> ProgressPartsOf(const JobDescription& job) {
  if (job.kind != kConcatJob || !job.progressParts.empty() || job.inputPaths.empty())
    return job.progressParts;
  std::vector<std::optional<double>> lengths;
  for (const std::string& input : job.inputPaths) {
    lengths.push_back(ProbeLength(job, input));
    if (!lengths.back()) break;
  }
  return ConcatProgressParts(lengths);
}

using Runner = void (*)(const JobDescription&);

// What runs a job of this kind; null for a kind without a runner.
Runner RunnerFor(int kind) {
  if (IsProbeJob(kind)) return &RunProbe;
  if (IsSingleRunJob(kind)) return &RunSingleFfmpeg;
  if (kind == kConcatByteCopyJob) return &RunConcatByteCopyJoin;
  if (kind == kTrimJob) return &RunTrimSequence;
  if (kind == kConvertBatchJob) return &RunConvertBatch;
  return nullptr;
}

DWORD WINAPI JobThread(LPVOID parameter) {
  const std::unique_ptr<JobDescription> job(static_cast<JobDescription*>(parameter));
  RunJob(*job);
  return 0;
}

}  // namespace

void Fail(const JobDescription& job, std::string text) {
  job.results->errorText = std::move(text);
  *job.jobKind = kFailedJob;
}

bool TakeCancelRequest(const JobDescription& job) {
  int requested = 1;
  if (!job.cancelRequested->compare_exchange_strong(requested, -1)) return false;
  job.results->cancelled = true;
  return true;
}

FfmpegRunEnd RunFfmpeg(const JobDescription& job, const std::string& arguments,
                       const FfmpegRun& which, std::optional<std::size_t> progressPart) {
  ChildProcess child;
  if (!StartTool(job, FfmpegTool::Ffmpeg, arguments, child)) return FfmpegRunEnd::Failed;
  if (job.progress) job.progress->StartRun(which, progressPart);
  const PumpedRun run = PumpOutput(job, child);
  if (run.forced) return FfmpegRunEnd::Forced;
  // A cancelled run's code tells only how it was stopped.
  if (run.exitCode != 0 && !job.results->cancelled) {
    const std::vector<std::string> causes = CauseLines(run.tail.Text());
    job.results->failureCause = causes.empty() ? std::string() : causes.front();
    Fail(job, FfmpegFailedText(which, run.exitCode, run.tail.Text(), LeftOutput(job.outputPath)));
    return FfmpegRunEnd::Failed;
  }
  return FfmpegRunEnd::Ended;
}

bool StartJobThread(const JobDescription& job) {
  *job.cancelRequested = 0;
  job.results->cancelled = false;
  auto* copy = new JobDescription(job);
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, &JobThread, copy, 0, &threadId);
  if (thread) {
    CloseHandle(thread);
    return true;
  }
  // No runner: the job still ends, as a failure, with its one message.
  delete copy;
  Fail(job, PlatformErrorText(GetLastError()));
  PostMessageA(job.mainWindow, kJobDoneMessage, 0, 0);
  return false;
}

void RunJob(const JobDescription& job) {
  const Runner run = RunnerFor(job.kind);
  if (!run) return;
  JobDescription measured = job;
  JobProgress progress(measured, ProgressPartsOf(job));
  measured.progress = &progress;
  run(measured);
  // Every path of every job ends here, so the message goes exactly once.
  PostMessageA(job.mainWindow, kJobDoneMessage, 0, 0);
}

}  // namespace trellimux
