// A stand-in for the main window around a job, for the runner tests and
// benchmarks: it owns the program's real log window and a progress bar, and
// counts the job-done messages it receives.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "jobs/ProgressUpdate.h"
#include "jobs/win/JobRunner.h"

namespace trellimux::test {

class JobHost {
 public:
  JobHost();
  ~JobHost();
  JobHost(const JobHost&) = delete;
  JobHost& operator=(const JobHost&) = delete;

  // A description aimed at this window, its log and its flags; the job kind
  // is set as a start operation sets it.
  JobDescription Job(int kind, std::string toolDirectory, std::string commandText,
                     std::string inputPath = {});

  HWND Window() const { return window_; }
  HWND LogWindow() const { return log_; }
  HWND ProgressBar() const { return progressBar_; }
  int DoneMessages() const { return doneMessages_; }
  // The job-progress messages received, with when each came.
  struct ReceivedProgress {
    DWORD at;
    ProgressUpdate update;
  };
  const std::vector<ReceivedProgress>& Progress() const { return progress_; }
  std::string LogText() const;
  // The whole log: the window's text, or the file that keeps a log too
  // large for the window.
  std::string WholeLogText() const;

  std::atomic<int> jobKind{0};
  std::atomic<int> cancelRequested{0};
  JobResults results;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND log_ = nullptr;
  HWND progressBar_ = nullptr;
  int doneMessages_ = 0;
  std::vector<ReceivedProgress> progress_;
};

// The folder of the running program.
std::string ProgramFolder();

}  // namespace trellimux::test
