// The runner tests' host: a job host whose jobs run the fake tools, and the
// files and progress bar the joins work on.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "jobs/win/JobHost.h"

namespace trellimux::test {

class RunnerWindow : public JobHost {
 public:
  // A job for the fake ffmpeg.exe and ffprobe.exe.
  JobDescription Job(int kind, std::string commandText, std::string inputPath = {});

  // Starts the job and pumps until its job-done message came, then a little
  // longer so that a second message would be seen too.
  bool RunToEnd(const JobDescription& job, DWORD limit = 60000);

  // Replaces the log's text, as an earlier job would have left it.
  void SetLogText(const std::string& text);
};

// The folder of the fake ffmpeg.exe and ffprobe.exe, beside the test program.
std::string FakeToolsDirectory();

// A new empty folder in the temporary folder, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// `size` bytes that differ from those of any other seed.
std::string PatternBytes(std::size_t size, unsigned seed);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Watches a progress bar of this thread: every position it takes, in order,
// whatever message moved it; `onMove` runs inside the window call that moved
// it, while the caller waits.
class ProgressWatch {
 public:
  explicit ProgressWatch(HWND bar, std::function<void(int)> onMove = {});
  ~ProgressWatch();
  ProgressWatch(const ProgressWatch&) = delete;
  ProgressWatch& operator=(const ProgressWatch&) = delete;

  const std::vector<int>& Positions() const { return positions_; }

 private:
  static LRESULT CALLBACK Procedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

  HWND bar_;
  WNDPROC original_;
  std::function<void(int)> onMove_;
  std::vector<int> positions_;
};

int ProgressPosition(HWND bar);
// The upper end of the range (the lower end is 0 in every job).
int ProgressRangeEnd(HWND bar);

}  // namespace trellimux::test
