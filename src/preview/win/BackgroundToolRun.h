// A tool run whose output a thread of its own reads to the end, so that the
// thread that started it goes on meanwhile (the preview's keyframe listing
// beside the frames being made) and collects the output once it is done.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "process/ToolInvocation.h"
#include "process/win/ChildProcess.h"

namespace trellimux {

class BackgroundToolRun {
 public:
  BackgroundToolRun() = default;
  BackgroundToolRun(const BackgroundToolRun&) = delete;
  BackgroundToolRun& operator=(const BackgroundToolRun&) = delete;
  // Ends the child and waits for the reading thread.
  ~BackgroundToolRun();

  // False when the tool could not be started. `done` runs on the reading
  // thread once the output ended.
  bool Start(const std::string& toolDirectory, FfmpegTool tool, const std::string& arguments,
             std::function<void()> done);
  // From any thread until the destructor: ends the child; its output is
  // then not collected.
  void Terminate();
  // Waits for the output's end: everything printed, nothing when ended
  // early.
  std::optional<std::string> Finish();

 private:
  ChildProcess child_;
  std::string output_;
  std::atomic<bool> terminated_{false};
  std::thread reader_;
};

}  // namespace trellimux
