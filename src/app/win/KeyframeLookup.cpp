#include "app/win/KeyframeLookup.h"

#include <windows.h>

#include <optional>

#include "app/win/SharedResources.h"
#include "jobs/ChildCommandLine.h"
#include "jobs/ToolInvocation.h"
#include "jobs/win/ChildProcess.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

// What ffprobe.exe printed; empty when it could not be started.
std::string ProbeOutput(const std::string& arguments) {
  const std::string program = ToolPath(Resources().startDirectory, FfmpegTool::Ffprobe);
  const std::optional<std::string> commandLine = ChildCommandLine(program, arguments);
  ChildProcess child;
  if (!commandLine || child.Start(program, *commandLine) != 0) return {};
  std::string output = child.ReadToEnd();
  child.WaitAndClose();
  return output;
}

}  // namespace

std::vector<std::string> LookUpCopyCutStarts(const std::string& inputPath,
                                             std::span<const Cut> cuts) {
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const std::int64_t start =
      ParseStartTimeMicroseconds(ProbeOutput(StartTimeProbeArguments(inputPath)));
  std::vector<std::string> starts =
      CopyCutStarts(ProbeOutput(KeyframeProbeArguments(inputPath, start, cuts)), start, cuts);
  SetCursor(previous);
  return starts;
}

}  // namespace trellimux
