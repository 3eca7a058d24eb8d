#include "app/SmartCopyLookup.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "mp4/ParameterSets.h"
#include "preview/KeyPictures.h"
#include "probe/SectionValues.h"
#include "transport/ProgramTables.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"
#include "trim/StreamSpans.h"

namespace trellimux {
namespace {

// Enough of a keyframe's packets for its picture's headers.
constexpr std::size_t kPictureReadBytes = std::size_t{64} << 10;
constexpr std::size_t kPictureHeadBytes = 4096;

// The PID of stream `index`, from the report's "id" ("0x100").
std::optional<int> StreamPid(std::string_view report, std::size_t index) {
  const std::optional<std::string_view> id = StreamSectionValue(report, index, "id");
  if (!id || !id->starts_with("0x")) return std::nullopt;
  return static_cast<int>(std::strtol(std::string(*id).c_str(), nullptr, 16));
}

// The transport numbers of the checked streams: their PIDs, the video's
// program from the file's tables.
std::optional<SourceTransport> ReadSourceTransport(const TransportReader& read,
                                                   std::string_view report,
                                                   const CheckedStreams& checked) {
  const std::optional<int> videoPid = StreamPid(report, checked.video.front());
  if (!videoPid) return std::nullopt;
  SourceTransport transport;
  transport.videoPid = *videoPid;
  for (const std::size_t index : checked.others) {
    const std::optional<int> pid = StreamPid(report, index);
    if (!pid) return std::nullopt;
    transport.otherPids.push_back(*pid);
  }
  const std::optional<TransportProgram> program = FindProgramOf(read, transport.videoPid);
  if (!program) return std::nullopt;
  transport.programNumber = program->number;
  transport.mapPid = program->mapPid;
  return transport;
}

// Whether the report names an MP4 or QuickTime file ("mov,mp4,m4a,...").
bool IsMovieFormat(std::string_view report) {
  const std::optional<std::string_view> name = FormatSectionValue(report, "format_name");
  return name && (name->find("mp4") != std::string_view::npos ||
                  name->find("mov") != std::string_view::npos);
}

}  // namespace

SmartCopyFacts FindSmartCopyFacts(const ProbeRun& probe, const TransportReader& read,
                                  std::string_view inputPath, std::span<const Cut> cuts,
                                  std::string_view report, const StreamTable& streams) {
  SmartCopyFacts facts;
  const CheckedStreams checked = ReadCheckedStreams(streams);
  VideoCoding coding = VideoCoding::Other;
  if (!checked.video.empty()) {
    const SourceVideo source = ReadSourceVideo(report, checked.video.front());
    facts.encoding = SmartEncoderOptions(source);
    coding = VideoCodingNamed(source.codec);
  }
  facts.startMicroseconds = ParseStartTimeMicroseconds(probe(StartTimeProbeArguments(inputPath)));
  const std::string list = probe(SmartCutProbeArguments(inputPath, facts.startMicroseconds, cuts));
  facts.copies = FindCopyCutTimes(list, facts.startMicroseconds, cuts);
  facts.transportInput =
      IsPlainTransportStream(read(0, kTransportPacketBytes * kTransportPacketsChecked));
  if (!facts.transportInput) {
    const std::optional<std::string> configuration =
        coding == VideoCoding::H264 && IsMovieFormat(report) ? MovieAvcConfiguration(read)
                                                             : std::nullopt;
    if (!configuration) return facts;  // no cut is planned: it is made as in "Copy"
    facts.movieInput = true;
    const std::size_t lengthBytes = NalLengthBytes(*configuration);
    facts.cuts =
        PlanListedSmartCuts(list, facts.startMicroseconds, cuts, [&](const VideoPacket& keyframe) {
          // A keyframe's sample is read where it begins, its units' lengths
          // before them.
          return BeginsCopy(AnnexBUnits(read(keyframe.bytePos, kPictureHeadBytes), lengthBytes),
                            coding);
        });
    facts.transport = SourceTransport{};
    for (std::size_t i = 0; i < checked.others.size(); ++i)
      facts.transport->otherPids.push_back(facts.transport->videoPid + 1 + static_cast<int>(i));
    return facts;
  }
  facts.cuts =
      PlanListedSmartCuts(list, facts.startMicroseconds, cuts, [&](const VideoPacket& keyframe) {
        // A keyframe's picture is read where its packet begins.
        const std::optional<std::string> picture =
            PesPayload(read(keyframe.bytePos, kPictureReadBytes), kPictureHeadBytes);
        return picture && BeginsCopy(*picture, coding);
      });
  if (checked.video.empty()) return facts;
  facts.transport = ReadSourceTransport(read, report, checked);
  if (!facts.transport) return facts;
  for (const std::optional<PlannedSmartCut>& cut : facts.cuts) {
    facts.streamSpans.push_back(cut ? OtherStreamSpans(read, facts.transport->otherPids, *cut)
                                    : std::vector<CopiedStream>());
  }
  return facts;
}

}  // namespace trellimux
