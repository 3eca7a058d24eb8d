#include "preview/win/BackgroundToolRun.h"

#include "jobs/win/ToolOutput.h"

namespace trellimux {

BackgroundToolRun::~BackgroundToolRun() {
  Terminate();
  if (reader_.joinable()) reader_.join();
  child_.WaitAndClose();
}

bool BackgroundToolRun::Start(const std::string& toolDirectory, FfmpegTool tool,
                              const std::string& arguments, std::function<void()> done) {
  if (!StartTool(child_, toolDirectory, tool, arguments)) return false;
  reader_ = std::thread([this, done = std::move(done)] {
    output_ = child_.ReadToEnd();
    done();
  });
  return true;
}

void BackgroundToolRun::Terminate() {
  terminated_ = true;
  child_.Terminate();
}

std::optional<std::string> BackgroundToolRun::Finish() {
  if (reader_.joinable()) reader_.join();
  child_.WaitAndClose();
  if (terminated_) return std::nullopt;
  return std::move(output_);
}

}  // namespace trellimux
