// The job runner: one job on a worker thread of its own, working from a
// description captured on the window thread when the job started. It reaches
// the window only through synchronous calls (the log) and ends every job by
// posting the job-done message exactly once.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace trellimux {

// What a job leaves for the window; written by the worker before it posts
// the job-done message, read by the window thread after receiving it.
struct JobResults {
  std::string report;  // the prober's whole report, shared by both pages
  std::size_t convertReportSize = 0;
  std::size_t trimReportSize = 0;
  std::string errorText;  // the failure's text when the job kind became -1
};

struct JobDescription {
  int kind = 0;
  std::string toolDirectory;  // where ffmpeg.exe and ffprobe.exe are
  std::string commandText;    // single runs: the page's command box as shown
  std::string inputPath;      // probes: the chosen input
  HWND mainWindow = nullptr;  // receives the job-done message
  HWND logWindow = nullptr;
  std::atomic<int>* jobKind = nullptr;
  std::atomic<int>* cancelRequested = nullptr;
  JobResults* results = nullptr;
};

// Starts RunJob on a new thread (default stack); the thread is never waited
// for, so its handle is closed at once. False if no thread could be made.
bool StartJobThread(const JobDescription& job);

// The runner itself, on the calling thread. Kinds it does not run end at
// once without a message.
void RunJob(const JobDescription& job);

}  // namespace trellimux
