#include "app/win/KeyframeLookup.h"

#include <windows.h>

#include <optional>

#include "app/SmartCopyLookup.h"
#include "app/win/AppState.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowWaits.h"
#include "process/win/InputFile.h"
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
  CopyCutTimes times;
  RunWhileWindowWaits(App().mainWindow, [&] {
    const std::int64_t start =
        ParseStartTimeMicroseconds(ProbeOutput(StartTimeProbeArguments(inputPath)));
    times =
        FindCopyCutTimes(ProbeOutput(CopyCutProbeArguments(inputPath, start, cuts)), start, cuts);
  });
  return times;
}

SmartCopyFacts LookUpSmartCopyFacts(const std::string& inputPath, std::span<const Cut> cuts,
                                    std::string_view report, const StreamTable& streams) {
  SmartCopyFacts facts;
  RunWhileWindowWaits(App().mainWindow, [&] {
    InputFile input;
    input.Open(inputPath);  // one not opened reads as no transport stream
    facts = FindSmartCopyFacts(
        ProbeOutput,
        [&input](std::int64_t offset, std::size_t size) { return input.ReadAt(offset, size); },
        inputPath, cuts, report, streams);
  });
  return facts;
}

}  // namespace trellimux
