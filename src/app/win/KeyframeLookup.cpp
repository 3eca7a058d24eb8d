#include "app/win/KeyframeLookup.h"

#include <windows.h>

#include <cstdlib>
#include <optional>

#include "app/win/AppState.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowWaits.h"
#include "params/ParameterColumns.h"
#include "preview/KeyPictures.h"
#include "probe/SectionValues.h"
#include "probe/TypeTag.h"
#include "process/win/InputFile.h"
#include "process/win/ToolOutput.h"
#include "transport/ProgramTables.h"

namespace trellimux {
namespace {

// What ffprobe.exe printed; empty when it could not be started.
std::string ProbeOutput(const std::string& arguments) {
  std::optional<ToolOutput> output =
      RunToolToEnd(Resources().startDirectory, FfmpegTool::Ffprobe, arguments);
  return output ? std::move(output->text) : std::string();
}

std::int64_t StartMicroseconds(const std::string& inputPath) {
  return ParseStartTimeMicroseconds(ProbeOutput(StartTimeProbeArguments(inputPath)));
}

// The report's stream index of the first checked video row; none when no
// video row is checked.
std::optional<std::size_t> CheckedVideoStream(const StreamTable& streams) {
  for (std::size_t i = 0; i < streams.RowCount(); ++i) {
    const TableRow& row = streams.Row(i);
    if (row.checked && KindOfTag(row.typeTag) == StreamKind::Video)
      return static_cast<std::size_t>(std::strtoul(row.cells[kStream].c_str(), nullptr, 10));
  }
  return std::nullopt;
}

// The transport numbers of the video stream `index`: its PID from the
// report's "id" ("0x100"), its program from the file's tables.
std::optional<SourceTransport> ReadSourceTransport(const InputFile& input, std::string_view report,
                                                   std::size_t index) {
  const std::optional<std::string_view> id = StreamSectionValue(report, index, "id");
  if (!id || !id->starts_with("0x")) return std::nullopt;
  SourceTransport transport;
  transport.videoPid = static_cast<int>(std::strtol(std::string(*id).c_str(), nullptr, 16));
  const std::optional<TransportProgram> program = FindProgramOf(
      [&input](std::int64_t offset, std::size_t size) { return input.ReadAt(offset, size); },
      transport.videoPid);
  if (!program) return std::nullopt;
  transport.programNumber = program->number;
  transport.mapPid = program->mapPid;
  return transport;
}

// Enough of a keyframe's packets for its picture's headers.
constexpr std::size_t kPictureReadBytes = std::size_t{64} << 10;
constexpr std::size_t kPictureHeadBytes = 4096;

}  // namespace

CopyCutTimes LookUpCopyCutTimes(const std::string& inputPath, std::span<const Cut> cuts) {
  CopyCutTimes times;
  RunWhileWindowWaits(App().mainWindow, [&] {
    const std::int64_t start = StartMicroseconds(inputPath);
    times =
        FindCopyCutTimes(ProbeOutput(CopyCutProbeArguments(inputPath, start, cuts)), start, cuts);
  });
  return times;
}

SmartCopyFacts LookUpSmartCopyFacts(const std::string& inputPath, std::span<const Cut> cuts,
                                    std::string_view report, const StreamTable& streams) {
  SmartCopyFacts facts;
  const std::optional<std::size_t> video = CheckedVideoStream(streams);
  std::string codec;
  if (video) {
    const SourceVideo source = ReadSourceVideo(report, *video);
    facts.encoding = SmartEncoderOptions(source);
    codec = source.codec;
  }
  RunWhileWindowWaits(App().mainWindow, [&] {
    facts.startMicroseconds = StartMicroseconds(inputPath);
    const std::string list =
        ProbeOutput(SmartCutProbeArguments(inputPath, facts.startMicroseconds, cuts));
    facts.copies = FindCopyCutTimes(list, facts.startMicroseconds, cuts);
    InputFile input;
    if (!input.Open(inputPath)) return;
    facts.transportInput =
        IsPlainTransportStream(input.ReadAt(0, kTransportPacketBytes * kTransportPacketsChecked));
    const VideoCoding coding = VideoCodingNamed(codec);
    facts.cuts =
        PlanListedSmartCuts(list, facts.startMicroseconds, cuts, [&](const VideoPacket& keyframe) {
          // A keyframe's picture is read where its packet begins.
          const std::optional<std::string> picture =
              PesPayload(input.ReadAt(keyframe.bytePos, kPictureReadBytes), kPictureHeadBytes);
          return picture && BeginsCopy(*picture, coding);
        });
    if (facts.transportInput && video) facts.transport = ReadSourceTransport(input, report, *video);
  });
  return facts;
}

}  // namespace trellimux
