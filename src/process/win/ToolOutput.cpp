#include "process/win/ToolOutput.h"

#include "process/ChildCommandLine.h"

namespace trellimux {

bool StartTool(ChildProcess& child, const std::string& toolDirectory, FfmpegTool tool,
               const std::string& arguments, HANDLE errorsFile) {
  const std::string program = ToolPath(toolDirectory, tool);
  const std::optional<std::string> commandLine = ChildCommandLine(program, arguments);
  return commandLine && child.Start(program, *commandLine, errorsFile) == 0;
}

std::optional<ToolOutput> RunToolToEnd(const std::string& toolDirectory, FfmpegTool tool,
                                       const std::string& arguments) {
  ChildProcess child;
  if (!StartTool(child, toolDirectory, tool, arguments)) return std::nullopt;
  ToolOutput output;
  output.text = child.ReadToEnd();
  output.exitCode = child.WaitAndClose();
  return output;
}

}  // namespace trellimux
