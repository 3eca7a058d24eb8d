#include "app/SmartCopyLookup.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "mkv/MatroskaTracks.h"
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

// Whether the report's format names hold `part`: "mp4" or "mov" of
// "mov,mp4,m4a,...", "matroska" of "matroska,webm".
bool FormatNameHas(std::string_view report, std::string_view part) {
  const std::optional<std::string_view> name = FormatSectionValue(report, "format_name");
  return name && name->find(part) != std::string_view::npos;
}

// How many of the report's streams are H.264: a movie's video is found by
// its codec, so it must be the only one.
std::size_t AvcStreamCount(std::string_view report) {
  std::size_t count = 0;
  for (std::size_t i = 0; StreamSectionValue(report, i, "index"); ++i)
    count += StreamSectionValue(report, i, "codec_name") == "h264";
  return count;
}

// An MP4's, MOV's or Matroska file's H.264 video: its configuration, and
// where a sample's NAL units begin in the bytes at a packet's position.
struct MovieVideo {
  std::string configuration;
  std::optional<std::uint64_t> matroskaTrack;  // a block's track number
};

std::optional<MovieVideo> ReadMovieVideo(const TransportReader& read, std::string_view report) {
  if (AvcStreamCount(report) != 1) return std::nullopt;
  if (FormatNameHas(report, "mp4") || FormatNameHas(report, "mov")) {
    std::optional<std::string> configuration = MovieAvcConfiguration(read);
    if (!configuration) return std::nullopt;
    return MovieVideo{std::move(*configuration), std::nullopt};
  }
  if (!FormatNameHas(report, "matroska")) return std::nullopt;
  std::optional<MatroskaTrack> track = MatroskaAvcTrack(read);
  if (!track) return std::nullopt;
  return MovieVideo{std::move(track->codecPrivate), track->number};
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
    const std::optional<MovieVideo> movie =
        coding == VideoCoding::H264 ? ReadMovieVideo(read, report) : std::nullopt;
    if (!movie) return facts;  // no cut is planned: it is made as in "Copy"
    facts.movieInput = true;
    const std::size_t lengthBytes = NalLengthBytes(movie->configuration);
    facts.cuts =
        PlanListedSmartCuts(list, facts.startMicroseconds, cuts, [&](const VideoPacket& keyframe) {
          // A keyframe's sample is read where it begins (in a Matroska
          // block, after the block's own fields), its units' lengths before
          // them.
          const std::string bytes = read(keyframe.bytePos, kPictureHeadBytes);
          std::optional<std::string_view> sample = bytes;
          if (movie->matroskaTrack) sample = MatroskaBlockFrame(bytes, *movie->matroskaTrack);
          return sample && BeginsCopy(AnnexBUnits(*sample, lengthBytes), coding);
        });
    for (const std::size_t index : checked.others) {
      const std::optional<std::string_view> codec = StreamSectionValue(report, index, "codec_name");
      if (!codec || !MoviePiecesCarry(*codec)) facts.othersCarried = false;
    }
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
