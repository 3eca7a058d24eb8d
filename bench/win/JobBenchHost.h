// A main window stand-in for the job benchmarks: it owns the program's real
// log window, counts job-done messages, and measures how long the window
// thread takes to answer a message while a job runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "jobs/win/JobRunner.h"

namespace trellimux::bench {

class JobBenchHost {
 public:
  JobBenchHost();
  ~JobBenchHost();

  // Runs one job on the runner's thread while this thread pumps messages and
  // a watcher thread pings the window every 10 ms. Returns the wall time in
  // milliseconds; `worstAnswerMs` gets the slowest answer to a ping.
  double Run(int kind, const std::string& toolDirectory, const std::string& commandText,
             double* worstAnswerMs = nullptr);

  std::size_t LogLength() const;

 private:
  HWND window_ = nullptr;
  HWND log_ = nullptr;
  std::atomic<int> jobKind_{0};
  std::atomic<int> cancelRequested_{0};
  JobResults results_;
};

double MillisecondsSince(LARGE_INTEGER start);
LARGE_INTEGER Now();

// The folder of the benchmark program itself.
std::string ProgramFolder();

}  // namespace trellimux::bench
