// The runner tests' host: a job host whose jobs run the fake tools.
#pragma once

#include <string>

#include "jobs/win/JobHost.h"

namespace trellimux::test {

class RunnerWindow : public JobHost {
 public:
  // A job for the fake ffmpeg.exe and ffprobe.exe.
  JobDescription Job(int kind, std::string commandText, std::string inputPath = {});

  // Starts the job and pumps until its job-done message came, then a little
  // longer so that a second message would be seen too.
  bool RunToEnd(const JobDescription& job, DWORD limit = 60000);
};

// The folder of the fake ffmpeg.exe and ffprobe.exe, beside the test program.
std::string FakeToolsDirectory();

}  // namespace trellimux::test
