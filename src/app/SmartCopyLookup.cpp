#include "app/SmartCopyLookup.h"

#include <cstdlib>
#include <optional>

#include "params/ParameterColumns.h"
#include "preview/KeyPictures.h"
#include "probe/SectionValues.h"
#include "probe/TypeTag.h"
#include "transport/ProgramTables.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"

namespace trellimux {
namespace {

// Enough of a keyframe's packets for its picture's headers.
constexpr std::size_t kPictureReadBytes = std::size_t{64} << 10;
constexpr std::size_t kPictureHeadBytes = 4096;

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
std::optional<SourceTransport> ReadSourceTransport(const TransportReader& read,
                                                   std::string_view report, std::size_t index) {
  const std::optional<std::string_view> id = StreamSectionValue(report, index, "id");
  if (!id || !id->starts_with("0x")) return std::nullopt;
  SourceTransport transport;
  transport.videoPid = static_cast<int>(std::strtol(std::string(*id).c_str(), nullptr, 16));
  const std::optional<TransportProgram> program = FindProgramOf(read, transport.videoPid);
  if (!program) return std::nullopt;
  transport.programNumber = program->number;
  transport.mapPid = program->mapPid;
  return transport;
}

}  // namespace

SmartCopyFacts FindSmartCopyFacts(const ProbeRun& probe, const TransportReader& read,
                                  std::string_view inputPath, std::span<const Cut> cuts,
                                  std::string_view report, const StreamTable& streams) {
  SmartCopyFacts facts;
  const std::optional<std::size_t> video = CheckedVideoStream(streams);
  VideoCoding coding = VideoCoding::Other;
  if (video) {
    const SourceVideo source = ReadSourceVideo(report, *video);
    facts.encoding = SmartEncoderOptions(source);
    coding = VideoCodingNamed(source.codec);
  }
  facts.startMicroseconds = ParseStartTimeMicroseconds(probe(StartTimeProbeArguments(inputPath)));
  const std::string list = probe(SmartCutProbeArguments(inputPath, facts.startMicroseconds, cuts));
  facts.copies = FindCopyCutTimes(list, facts.startMicroseconds, cuts);
  facts.transportInput =
      IsPlainTransportStream(read(0, kTransportPacketBytes * kTransportPacketsChecked));
  if (!facts.transportInput) return facts;  // no cut is planned: it is made as in "Copy"
  facts.cuts =
      PlanListedSmartCuts(list, facts.startMicroseconds, cuts, [&](const VideoPacket& keyframe) {
        // A keyframe's picture is read where its packet begins.
        const std::optional<std::string> picture =
            PesPayload(read(keyframe.bytePos, kPictureReadBytes), kPictureHeadBytes);
        return picture && BeginsCopy(*picture, coding);
      });
  if (video) facts.transport = ReadSourceTransport(read, report, *video);
  return facts;
}

}  // namespace trellimux
