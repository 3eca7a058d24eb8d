// The job runner: one job on a worker thread of its own, working from a
// description captured on the window thread when the job started. It reaches
// the window only through synchronous calls (the log) and ends every job by
// posting the job-done message exactly once.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "batch/ConvertBatch.h"
#include "jobs/StopLadder.h"
#include "jobs/TimeLeft.h"

namespace trellimux {

class JobProgress;

// What a job leaves for the window; written by the worker before it posts
// the job-done message, read by the window thread after receiving it.
struct JobResults {
  std::string report;  // the prober's whole report, shared by both pages
  std::size_t convertReportSize = 0;
  std::size_t trimReportSize = 0;
  std::string errorText;  // the failure's text when the job kind became -1
  // The runner acted on a cancel request in this job. The flag shared with
  // the window cannot tell it: a later press sets it to 1 again.
  bool cancelled = false;
  // Why the last ffmpeg run that failed stopped: its first cause line.
  std::string failureCause;
  // Kind 128: every file of the batch as it ended, and the summary.
  std::vector<BatchFile> batchFiles;
  std::string batchSummary;
};

// A batch as it starts: the page's settings, the files (some already
// skipped) and the folder of their outputs.
struct ConvertBatchJob {
  BatchSettings settings;
  std::vector<BatchFile> files;
  std::string folder;
};

// Sent by a batch's worker to the main window when "Cancel Job" stopped one
// of its files; the answer is 1 when the rest is to be stopped too.
inline constexpr unsigned kBatchStopQuestionMessage = 1282;

// Every member has an initializer, so a start names only what it sets:
// StartJob({.kind = kConcatJob}).
struct JobDescription {
  int kind = 0;
  std::string toolDirectory{};  // where ffmpeg.exe and ffprobe.exe are
  std::string commandText{};    // single runs: the page's command box as shown
  std::string inputPath{};      // probes: the chosen input
  // Joins (kinds 1 and 64): the output file, and for kind 1 the Concat
  // inputs in list order. Single runs: the page's output file, which a
  // failure's text names when the failed run left it behind.
  std::string outputPath{};
  std::vector<std::string> inputPaths{};
  // Kind 64: the cut files in cut-list order (their count is the number of
  // cuts; each is also an input of a "Windows File" join) and the selected
  // item of the Trim concat-mode list, -1 when none is; `commandText` holds
  // the Trim box, one command per line.
  std::vector<std::string> cutFilePaths{};
  std::shared_ptr<const ConvertBatchJob> batch{};  // kind 128
  int trimConcatMode = -1;
  HWND mainWindow = nullptr;  // receives the job-done message
  HWND logWindow = nullptr;
  HWND progressBar = nullptr;    // driven by the byte-copy join only
  HWND progressFrame = nullptr;  // its caption tells that a stop is under way
  std::atomic<int>* jobKind = nullptr;
  std::atomic<int>* cancelRequested = nullptr;
  JobResults* results = nullptr;
  // How long a polite stop request is given before a press may climb.
  std::chrono::milliseconds stopGrace = kPoliteStopGrace;
  // What the job's progress is measured against; none: a marquee shows
  // that it runs. A Concat job of kind 2 finds its own from `inputPaths`.
  std::vector<JobPart> progressParts{};
  JobProgress* progress = nullptr;  // set by the runner for the job's time
};

// Starts RunJob on a new thread (default stack); the thread is never waited
// for, so its handle is closed at once. False if no thread could be made.
// A cancel request made before, while no job ran, and the last job's
// cancellation are wiped out here, on the calling thread, so that a press
// after the start is never lost.
bool StartJobThread(const JobDescription& job);

// The runner itself, on the calling thread. Kinds it does not run end at
// once without a message. The cancel flag is the caller's to reset.
void RunJob(const JobDescription& job);

}  // namespace trellimux
