// A stand-in main window for the runner tests: it counts job-done messages
// and owns an edit control as the log, as the program's window does.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "jobs/win/JobRunner.h"

namespace trellimux::test {

class RunnerWindow {
 public:
  RunnerWindow();
  ~RunnerWindow();

  // A description aimed at this window and its flags, for the fake tools.
  JobDescription Job(int kind, std::string commandText, std::string inputPath = {});

  // Starts the job and pumps until its job-done message came, then a little
  // longer so that a second message would be seen too.
  bool RunToEnd(const JobDescription& job, DWORD limit = 60000);

  int DoneMessages() const;
  std::string LogText() const;

  std::atomic<int> jobKind{0};
  std::atomic<int> cancelRequested{0};
  JobResults results;

 private:
  HWND window_ = nullptr;
  HWND log_ = nullptr;
};

// The folder of the fake ffmpeg.exe and ffprobe.exe, beside the test program.
std::string FakeToolsDirectory();

}  // namespace trellimux::test
