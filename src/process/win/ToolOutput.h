// An FFmpeg tool run as a hidden child for what it prints, beside the job
// machinery: a probe whose report is read whole, a frame child.
#pragma once

#include <optional>
#include <string>

#include "process/ToolInvocation.h"
#include "process/win/ChildProcess.h"

namespace trellimux {

// Starts `tool` from `toolDirectory` (standard error into `errorsFile`
// when one is given); false when it cannot be started. With a
// console of its own, as job children start: started without one
// (CREATE_NO_WINDOW), a child ended early could leave Wine's headless
// console host behind, and with it the whole Wine session.
bool StartTool(ChildProcess& child, const std::string& toolDirectory, FfmpegTool tool,
               const std::string& arguments, HANDLE errorsFile = nullptr);

struct ToolOutput {
  std::string text;  // standard output and standard error together
  unsigned long exitCode = 0;
};

// Runs the tool to its end; nothing when it could not be started.
std::optional<ToolOutput> RunToolToEnd(const std::string& toolDirectory, FfmpegTool tool,
                                       const std::string& arguments);

}  // namespace trellimux
