#include "app/win/KeyframeLookup.h"

#include <windows.h>

#include <optional>

#include "app/win/SharedResources.h"
#include "process/win/ToolOutput.h"

namespace trellimux {
namespace {

// What ffprobe.exe printed; empty when it could not be started.
std::string ProbeOutput(const std::string& arguments) {
  std::optional<ToolOutput> output =
      RunToolToEnd(Resources().startDirectory, FfmpegTool::Ffprobe, arguments);
  return output ? std::move(output->text) : std::string();
}

}  // namespace

CopyCutTimes LookUpCopyCutTimes(const std::string& inputPath, std::span<const Cut> cuts) {
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const std::int64_t start =
      ParseStartTimeMicroseconds(ProbeOutput(StartTimeProbeArguments(inputPath)));
  CopyCutTimes times =
      FindCopyCutTimes(ProbeOutput(CopyCutProbeArguments(inputPath, start, cuts)), start, cuts);
  SetCursor(previous);
  return times;
}

}  // namespace trellimux
