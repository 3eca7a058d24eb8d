#include "preview/win/BackgroundToolRun.h"

#include "process/win/ToolOutput.h"

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
  // A child that had ended by itself keeps its whole output.
  if (child_.Terminate()) terminated_ = true;
}

std::optional<std::string> BackgroundToolRun::Finish() {
  // The child's handles stay open until the destructor: Terminate may still
  // be called meanwhile.
  if (reader_.joinable()) reader_.join();
  if (terminated_) return std::nullopt;
  return std::move(output_);
}

}  // namespace trellimux
