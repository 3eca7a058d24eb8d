// Cuts that are encoded at their ends and copied between, checked against
// what a real ffmpeg does with the samples' own packets: the plan against
// the frames it decodes from an In to an Out, and whole cuts made of
// encoded ends and the program's copy of the video between.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cmdline/SmartCopyEncoding.h"
#include "cmdline/SmartCutLines.h"
#include "media/MediaChecks.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "process/ToolInvocation.h"
#include "transport/ProgramTables.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"
#include "trim/TransportCopy.h"

namespace trellimux::test {
namespace {

struct Listed {
  std::int64_t start = 0;  // the file's start time
  std::vector<VideoPacket> packets;
};

Listed ListPackets(const std::string& input) {
  Listed listed;
  listed.start = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(input)).output);
  const ToolRun run =
      RunTool(FfmpegTool::Ffprobe, KeyframeListArguments(input, listed.start, 0, 60000));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  listed.packets = InDecodingOrder(ParseVideoPackets(run.output));
  return listed;
}

std::string Quoted(const std::string& path) { return " \"" + path + "\""; }

// The time stamps of the frames the decoder gives, in microseconds.
std::vector<std::int64_t> DecodedFrameTimes(const std::string& input) {
  const ToolRun run = RunTool(FfmpegTool::Ffprobe,
                              " -v error -select_streams v:0 -show_entries"
                              " frame=best_effort_timestamp_time -of csv=p=0" +
                                  Quoted(input));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  std::vector<std::int64_t> times;
  for (std::size_t at = 0; at < run.output.size();) {
    std::size_t end = run.output.find('\n', at);
    if (end == std::string::npos) end = run.output.size();
    const std::string line = run.output.substr(at, end - at);
    if (line.find_first_of("0123456789") != std::string::npos)
      times.push_back(std::llround(std::atof(line.c_str()) * 1e6));
    at = end + 1;
  }
  return times;
}

// A frame's own time as ffmpeg takes it with -copyts: just before its time
// stamp.
std::string OwnTime(std::int64_t pts) {
  return MillisecondsAsCutTime((pts - kFrameTimeSlackUs) / 1000);
}

// Encodes `run`'s frames of the first stream, the video, into `path` as the
// cut's line does.
void Encode(const std::string& input, const FrameRun& run, const Listed& listed,
            const std::string& options, const SourceTransport& transport, const std::string& path) {
  std::filesystem::remove(path);  // the line does not overwrite
  const std::string line =
      SmartEncodeLine(input, "0:0", listed.start, run, options, transport, path);
  const ToolRun encoded = RunTool(FfmpegTool::Ffmpeg, line);
  ASSERT_EQ(encoded.exitCode, 0) << line << "\n" << encoded.output;
}

// The PSNR of `file`'s first frame against the source's frame shown at
// `pts` in dB (1000 for equal pictures); 0 when it cannot be measured.
double FirstFramePsnr(const std::string& file, const std::string& input, std::int64_t pts,
                      const std::string& folder) {
  const std::string made = folder + "\\made.png", source = folder + "\\source.png";
  RunTool(FfmpegTool::Ffmpeg, " -nostdin -y -i" + Quoted(file) + " -frames:v 1" + Quoted(made));
  RunTool(FfmpegTool::Ffmpeg, " -nostdin -y -copyts -i" + Quoted(input) + " -ss " + OwnTime(pts) +
                                  " -frames:v 1" + Quoted(source));
  const ToolRun compared =
      RunTool(FfmpegTool::Ffmpeg,
              " -nostdin -i" + Quoted(made) + " -i" + Quoted(source) + " -lavfi psnr -f null -");
  const std::size_t at = compared.output.find("average:");
  if (at == std::string::npos) return 0;
  // Equal pictures: "inf", which the Windows C library does not read.
  if (compared.output.compare(at + 8, 3, "inf") == 0) return 1000;
  return std::atof(compared.output.c_str() + at + 8);
}

struct StreamSpan {
  double start = -1, duration = -1;  // seconds
};

// A stream's start time and duration, as ffprobe gives them.
StreamSpan Span(const std::string& file, const std::string& stream) {
  const std::string printed = RunTool(FfmpegTool::Ffprobe, " -v error -select_streams " + stream +
                                                               " -show_entries stream=start_time,"
                                                               "duration -of csv=p=0" +
                                                               Quoted(file))
                                  .output;
  StreamSpan span;
  span.start = std::atof(printed.c_str());
  const std::size_t comma = printed.find(',');
  if (comma != std::string::npos) span.duration = std::atof(printed.c_str() + comma + 1);
  return span;
}

int VideoPid(const std::string& input) {
  const std::string id = RunTool(FfmpegTool::Ffprobe,
                                 " -v error -select_streams v:0 -show_entries stream=id"
                                 " -of csv=p=0" +
                                     Quoted(input))
                             .output;
  return static_cast<int>(std::strtol(id.c_str(), nullptr, 16));
}

// What the tests read of a sample once: its packets, decoded frames, packet
// sums, video PID and the encoder options its probe report gives.
struct Sample {
  std::string path;
  Listed listed;
  std::vector<std::int64_t> frameTimes;
  std::vector<std::string> hashes;
  SourceTransport transport;
  std::optional<std::string> encoderOptions;
};

const Sample& SampleFacts(const std::string& name) {
  static std::map<std::string, Sample> known;
  if (const auto found = known.find(name); found != known.end()) return found->second;
  Sample sample;
  sample.path = SamplePath(name);
  sample.listed = ListPackets(sample.path);
  sample.frameTimes = DecodedFrameTimes(sample.path);
  sample.hashes = PacketHashes(sample.path);
  sample.transport.videoPid = VideoPid(sample.path);
  const std::optional<TransportProgram> program =
      FindProgramOf(FileReader(sample.path), sample.transport.videoPid);
  EXPECT_TRUE(program) << name;
  if (program) {
    sample.transport.programNumber = program->number;
    sample.transport.mapPid = program->mapPid;
  }
  sample.encoderOptions = SmartEncoderOptions(ReadSourceVideo(ProbeReport(sample.path), 0)).options;
  return known.emplace(name, std::move(sample)).first->second;
}

struct CutCase {
  const char* sample;
  std::int64_t inMs, outMs;
  bool head, copied, end;  // which parts the cut has
  std::size_t leftOut;     // leading pictures of the copy's keyframe
};

// The samples' video starts 10 ms after their start time (the audio's).
// pyramid.ts: H.264, B-pyramids, a keyframe every 2 s (closed GOPs);
// open-gop.ts: MPEG-2 interlaced, top field first, two B pictures, a
// keyframe every 0.48 s whose two leading B pictures refer to the GOP before.
const CutCase kCutCases[] = {
    {"pyramid.ts", 1000, 4610, true, true, true, 0},    // B-frames before the Out
    {"pyramid.ts", 2010, 4010, false, true, false, 0},  // on keyframes: all copied
    {"pyramid.ts", 2300, 3100, true, false, false, 0},  // no keyframe inside
    {"open-gop.ts", 300, 2700, true, true, true, 2},    // leading pictures: head
    {"open-gop.ts", 970, 1000, false, true, false, 2},  // one frame, a keyframe
};

// Each cut: its plan holds every frame the decoder gives from the In to the
// Out once, in parts that follow each other. Then the cut is made: the head
// and the end encoded by their lines, with the codec and parameters the
// probe report gives, the copy written by the program from the source's
// packets, all in the source's time stamps, their bytes read as one by the line that multiplexes
// the cut (the samples' video PIDs are the ones ffmpeg writes). It holds exactly the frames asked
// for, decodes without a word, its frames follow each other one frame
// apart across the seams (ffmpeg's concat demuxer left a 1.44 s gap before
// a one-frame end, whose start time ffprobe cannot tell), the copied packets
// are the source's bytes, and its first frame is the source's frame at the
// In.
TEST(SmartCutRun, EachCutHoldsExactlyTheFramesAskedFor) {
  for (const CutCase& c : kCutCases) {
    SCOPED_TRACE(std::string(c.sample) + " " + std::to_string(c.inMs));
    const Sample& sample = SampleFacts(c.sample);
    const std::string& input = sample.path;
    const Listed& listed = sample.listed;
    ASSERT_TRUE(sample.encoderOptions);
    const std::int64_t in = listed.start + c.inMs * 1000, out = listed.start + c.outMs * 1000;
    const std::optional<SmartCutPlan> plan = PlanSmartCut(listed.packets, in, out);
    ASSERT_TRUE(plan);
    const int asked = plan->head.count + plan->copied.count + plan->end.count;
    int decoded = 0;
    for (std::int64_t time : sample.frameTimes)
      decoded += time >= in - kFrameTimeSlackUs && time < out - kFrameTimeSlackUs;
    EXPECT_EQ(asked, decoded);
    ASSERT_EQ(plan->head.count > 0, c.head);
    ASSERT_EQ(plan->copied.count > 0, c.copied);
    ASSERT_EQ(plan->end.count > 0, c.end);
    if (c.head && c.copied) EXPECT_LT(plan->head.lastPts, plan->copied.firstPts);
    if (c.copied && c.end) EXPECT_LT(plan->copied.lastPts, plan->end.firstPts);
    EXPECT_EQ(plan->leftOut.size(), c.leftOut);

    const std::string folder = WorkFolder("smart-copy");
    std::vector<std::string> pieces;
    if (c.head) {
      pieces.push_back(folder + "\\head.ts");
      ASSERT_NO_FATAL_FAILURE(Encode(input, plan->head, listed, *sample.encoderOptions,
                                     sample.transport, pieces.back()));
    }
    if (c.copied) {
      const VideoPacket& keyframe = listed.packets[plan->copyBegin];
      ASSERT_TRUE(keyframe.key);
      pieces.push_back(folder + "\\copied.ts");
      std::ofstream target(pieces.back(), std::ios::binary | std::ios::trunc);
      const std::optional<TransportCopyCount> count = CopyTransportVideo(
          FileReader(input),
          {sample.transport.videoPid, keyframe.bytePos, keyframe.pts, plan->copyStopDts},
          [&](std::string_view bytes) {
            return static_cast<bool>(
                target.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
          });
      ASSERT_TRUE(count);
      EXPECT_EQ(count->pictures, plan->copied.count);
      EXPECT_EQ(static_cast<std::size_t>(count->leftOut), plan->leftOut.size());
    }
    if (c.end) {
      pieces.push_back(folder + "\\end.ts");
      ASSERT_NO_FATAL_FAILURE(Encode(input, plan->end, listed, *sample.encoderOptions,
                                     sample.transport, pieces.back()));
    }
    const std::string audio = folder + "\\audio.ts", cut = folder + "\\cut.ts";
    // The audio from the first frame shown: the In may lie between frames.
    const std::int64_t firstShown = c.head ? plan->head.firstPts : plan->copied.firstPts;
    std::filesystem::remove(audio);  // the lines do not overwrite
    std::filesystem::remove(cut);
    for (const std::string& line :
         {SmartAudioLine(input, listed.start, firstShown, out, " -map 0:a", audio),
          SmartMuxLine(pieces, audio, 0, cut)}) {
      const ToolRun run = RunTool(FfmpegTool::Ffmpeg, line);
      ASSERT_EQ(run.exitCode, 0) << line << "\n" << run.output;
    }

    EXPECT_EQ(CountVideoFrames(cut), asked);
    EXPECT_EQ(
        RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i" + Quoted(cut) + " -f null -").output,
        "");
    const std::vector<std::int64_t> times = DecodedFrameTimes(cut);
    for (std::size_t i = 1; i < times.size(); ++i)
      EXPECT_NEAR(times[i] - times[i - 1], 40000, 20000) << "frame " << i;  // 25 fps
    const std::vector<std::string> cutHashes = PacketHashes(cut);
    std::vector<std::string> shared;
    std::set_intersection(cutHashes.begin(), cutHashes.end(), sample.hashes.begin(),
                          sample.hashes.end(), std::back_inserter(shared));
    EXPECT_GE(static_cast<int>(shared.size()), plan->copied.count);
    EXPECT_GE(FirstFramePsnr(cut, input, in, folder), 40);
    // The audio (MPEG audio frames of 24 ms) begins and ends within a frame
    // of the video.
    const StreamSpan pictures = Span(cut, "v:0"), sound = Span(cut, "a:0");
    EXPECT_NEAR(sound.start, pictures.start, 0.024);
    EXPECT_NEAR(sound.start + sound.duration, pictures.start + pictures.duration, 0.024);
  }
}

}  // namespace
}  // namespace trellimux::test
