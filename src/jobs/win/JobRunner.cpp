#include "jobs/win/JobRunner.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "jobs/ChildCommandLine.h"
#include "jobs/JobKind.h"
#include "jobs/PendingLog.h"
#include "jobs/ToolInvocation.h"
#include "jobs/win/ChildProcess.h"
#include "jobs/win/ChildStopper.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/PlatformError.h"

namespace trellimux {
namespace {

constexpr DWORD kReadSize = 1024;  // one read of the child's output
// How often the job thread looks for a cancel request while the child is
// silent.
constexpr std::chrono::milliseconds kCancelPoll{50};

constexpr char kLogHeaderEnd[] = "\r\n\r\n\r\n";

// The most text handed to the log window in one call: the window thread
// answers nothing else while it inserts, so a large backlog goes in pieces.
constexpr std::size_t kMaxLogAppend = 16 * 1024;

void AppendInPieces(HWND log, std::string_view text) {
  for (std::size_t at = 0; at < text.size(); at += kMaxLogAppend) {
    AppendJobLog(log, text.substr(at, kMaxLogAppend));
  }
}

void Fail(const JobDescription& job, std::string text) {
  job.results->errorText = std::move(text);
  *job.jobKind = kFailedJob;
}

// Logs the argument text and starts the tool; on failure the job is marked
// failed and false comes back.
bool StartTool(const JobDescription& job, FfmpegTool tool, const std::string& arguments,
               ChildProcess& child) {
  ClearJobLog(job.logWindow);
  AppendJobLog(job.logWindow, arguments + kLogHeaderEnd);
  const std::string program = ToolPath(job.toolDirectory, tool);
  const std::optional<std::string> commandLine = ChildCommandLine(program, arguments);
  if (!commandLine) {
    Fail(job, kCommandTooLongText);
    return false;
  }
  if (const DWORD error = child.Start(program, *commandLine)) {
    Fail(job, PlatformErrorText(error));
    return false;
  }
  return true;
}

// The prober's report is read while it runs (a report larger than the pipe
// would otherwise block it for ever) and kept whole.
void RunProbe(const JobDescription& job) {
  ChildProcess child;
  if (!StartTool(job, FfmpegTool::Ffprobe, ProbeArguments(job.inputPath), child)) return;
  std::string report;
  char block[65536];
  while (const DWORD count = child.Read(block, sizeof block)) report.append(block, count);
  const DWORD readError = child.LastReadError();
  child.WaitAndClose();
  if (report.empty()) {  // a prober that wrote nothing: the failed read's text
    Fail(job, PlatformErrorText(readError));
    return;
  }
  JobResults& results = *job.results;
  results.report = std::move(report);
  (job.kind == kConvertProbeJob ? results.convertReportSize : results.trimReportSize) =
      results.report.size();
  AppendInPieces(job.logWindow, results.report);
}

void CheckCancel(const JobDescription& job, ChildStopper& stopper) {
  int requested = 1;
  if (job.cancelRequested->compare_exchange_strong(requested, -1)) stopper.Request();
}

void ReadAllOutput(ChildProcess& child, PendingLog& pending) {
  char block[kReadSize];
  while (const DWORD count = child.Read(block, kReadSize)) pending.Add({block, count});
  pending.End();
}

// A reader thread drains the pipe into `pending` and never waits for the
// window; this thread hands the window what gathered since its last append
// and looks for cancel requests meanwhile, so a silent child can be stopped.
void PumpOutput(const JobDescription& job, ChildProcess& child) {
  PendingLog pending;
  std::thread reader;
  try {
    reader = std::thread(&ReadAllOutput, std::ref(child), std::ref(pending));
  } catch (const std::system_error&) {
    // No thread to spare: read it all here; nothing is lost, but the log
    // fills only at the end and a cancel request waits for it.
    ReadAllOutput(child, pending);
  }
  ChildStopper stopper(child);
  for (;;) {
    CheckCancel(job, stopper);
    PendingLog::Taken taken = pending.Take(kCancelPoll);
    AppendInPieces(job.logWindow, taken.text);
    if (taken.ended) break;
  }
  if (reader.joinable()) reader.join();
  child.WaitAndClose();
}

void RunSingleFfmpeg(const JobDescription& job) {
  ChildProcess child;
  if (!StartTool(job, FfmpegTool::Ffmpeg, job.commandText, child)) return;
  PumpOutput(job, child);
}

DWORD WINAPI JobThread(LPVOID parameter) {
  const std::unique_ptr<JobDescription> job(static_cast<JobDescription*>(parameter));
  RunJob(*job);
  return 0;
}

}  // namespace

bool StartJobThread(const JobDescription& job) {
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
  if (IsProbeJob(job.kind)) {
    *job.cancelRequested = 0;
    RunProbe(job);
  } else if (IsSingleRunJob(job.kind)) {
    *job.cancelRequested = 0;
    RunSingleFfmpeg(job);
  } else {
    return;
  }
  PostMessageA(job.mainWindow, kJobDoneMessage, 0, 0);
}

}  // namespace trellimux
