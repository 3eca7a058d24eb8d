// Cuts that are encoded at their ends and copied between, checked against
// what a real ffmpeg does with the samples' own packets: the plan against
// the frames it decodes from an In to an Out, its copy stopping where
// planned, and whole cuts made of encoded ends, the program's copy of the
// video between, and ffmpeg's join.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cmdline/SmartCopyEncoding.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "params/StreamTable.h"
#include "process/ToolInvocation.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"
#include "trim/TransportCopy.h"
#include "trim/TrimChoices.h"

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

std::int64_t MsFromStart(std::int64_t microseconds, const Listed& listed) {
  return (microseconds - listed.start) / 1000;
}

struct PlanCase {
  const char* sample;
  std::int64_t inMs, outMs;
  bool head, copied, end;  // which parts the cut has
  std::size_t leftOut;     // leading pictures of the copy's keyframe
};

// The samples' video starts 10 ms after their start time (the audio's).
// pyramid.ts: H.264, B-pyramids, a keyframe every 2 s (closed GOPs);
// open-gop.ts: MPEG-2, two B pictures, a keyframe every 0.48 s whose two
// leading B pictures refer to the GOP before.
const PlanCase kPlanCases[] = {
    {"pyramid.ts", 1000, 4610, true, true, true, 0},    // B-frames before the Out
    {"pyramid.ts", 2010, 4010, false, true, false, 0},  // on keyframes: all copied
    {"pyramid.ts", 2300, 3100, true, false, false, 0},  // no keyframe inside
    {"open-gop.ts", 300, 2700, true, true, true, 2},    // leading pictures: head
    {"open-gop.ts", 970, 1000, false, true, false, 2},  // one frame, a keyframe
};

// Every frame the decoder gives from the In to the Out is in one part of
// the plan, and the parts follow each other.
TEST(SmartCutRun, EveryDecodedFrameFromInToOutIsPlannedOnce) {
  for (const PlanCase& c : kPlanCases) {
    SCOPED_TRACE(std::string(c.sample) + " " + std::to_string(c.inMs));
    const std::string input = SamplePath(c.sample);
    const Listed listed = ListPackets(input);
    const std::int64_t in = listed.start + c.inMs * 1000, out = listed.start + c.outMs * 1000;
    const std::optional<SmartCutPlan> plan = PlanSmartCut(listed.packets, in, out);
    ASSERT_TRUE(plan);
    int decoded = 0;
    for (std::int64_t time : DecodedFrameTimes(input))
      decoded += time >= in - kFrameTimeSlackUs && time < out - kFrameTimeSlackUs;
    EXPECT_EQ(plan->head.count + plan->copied.count + plan->end.count, decoded);
    EXPECT_EQ(plan->head.count > 0, c.head);
    EXPECT_EQ(plan->copied.count > 0, c.copied);
    EXPECT_EQ(plan->end.count > 0, c.end);
    if (c.head && c.copied) EXPECT_LT(plan->head.lastPts, plan->copied.firstPts);
    if (c.copied && c.end) EXPECT_LT(plan->copied.lastPts, plan->end.firstPts);
    EXPECT_EQ(plan->leftOut.size(), c.leftOut);
    if (c.copied) EXPECT_TRUE(listed.packets[plan->copyBegin].key);
  }
}

// Where a copy seeks: just before its keyframe's decoding time.
std::string SeekText(const Keyframe& keyframe, const Listed& listed) {
  return MillisecondsAsCutTime(SeekTo(keyframe, listed.start).seekMs);
}

// A frame's own time as ffmpeg takes it with -copyts: just before its time
// stamp.
std::string OwnTime(std::int64_t pts) {
  return MillisecondsAsCutTime((pts - kFrameTimeSlackUs) / 1000);
}

// Encodes `run`'s frames of the first stream, the video, into `path` as the
// cut's line does, with the source's codec and parameters.
void Encode(const std::string& input, const FrameRun& run, const Listed& listed,
            const std::string& path) {
  const SmartEncoding encoding = SmartEncoderOptions(ReadSourceVideo(ProbeReport(input), 0));
  ASSERT_TRUE(encoding.options);
  std::filesystem::remove(path);  // the line does not overwrite
  const std::string line =
      SmartEncodeLine(input, "0:0", listed.start, run, *encoding.options, path);
  const ToolRun encoded = RunTool(FfmpegTool::Ffmpeg, line);
  ASSERT_EQ(encoded.exitCode, 0) << line << "\n" << encoded.output;
}

// The PSNR of `file`'s first frame against the source's frame shown at
// `pts`; 0 when it cannot be measured.
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
  return at == std::string::npos ? 0 : std::atof(compared.output.c_str() + at + 8);  // "inf" too
}

// The MD5 sums of a file's video packets, as ffprobe prints them.
std::vector<std::string> PacketHashes(const std::string& file) {
  const std::string printed = RunTool(FfmpegTool::Ffprobe,
                                      " -v error -select_streams v:0 -show_entries packet=data_hash"
                                      " -show_data_hash md5 -of csv=p=0" +
                                          Quoted(file))
                                  .output;
  std::vector<std::string> hashes;
  for (std::size_t at = printed.find("MD5:"); at != std::string::npos;
       at = printed.find("MD5:", at + 4))
    hashes.push_back(printed.substr(at, 36));
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

int VideoPid(const std::string& input) {
  const std::string id = RunTool(FfmpegTool::Ffprobe,
                                 " -v error -select_streams v:0 -show_entries stream=id"
                                 " -of csv=p=0" +
                                     Quoted(input))
                             .output;
  return static_cast<int>(std::strtol(id.c_str(), nullptr, 16));
}

// The Copy line seeks to just before the keyframe's decoding time and stops
// at the first packet after the copy: ffmpeg keeps exactly the planned
// frames of a closed GOP.
TEST(SmartCutRun, TheCopyLineStopsWherePlanned) {
  const std::string input = SamplePath("pyramid.ts");
  const Listed listed = ListPackets(input);
  const std::optional<SmartCutPlan> plan =
      PlanSmartCut(listed.packets, listed.start + 1000000, listed.start + 4610000);
  ASSERT_TRUE(plan && plan->copyStopDts);
  const VideoPacket& keyframe = listed.packets[plan->copyBegin];
  const std::vector<std::string> starts = {
      SeekText({keyframe.pts, keyframe.dts, keyframe.bytePos}, listed)};
  const std::vector<std::string> ends = {
      MillisecondsAsCutTime(MsFromStart(*plan->copyStopDts, listed))};
  ProbedFile file = Probe(input);  // the video alone checked, as a user ticks it
  StreamTable& video = file.tables.SourceTable();
  for (std::size_t row = 0; row < video.RowCount(); ++row) video.SetChecked(row, row == 0);
  const std::string tempDir = WorkFolder("smart-copy-line");
  const std::string output = tempDir + "\\copied.ts";
  TrimCommandInput copy{input, output, tempDir, kCopyCut, kCutOnly};
  copy.copyStarts = starts;
  copy.copyEnds = ends;
  const std::vector<Cut> cut = {{starts[0], ends[0]}};
  const std::string line = TrimCommandLines(BuildTrimCommand(copy, video, cut)).front();
  std::filesystem::remove(CutFilePath(tempDir, 0, output));  // the line does not overwrite
  ASSERT_EQ(RunTool(FfmpegTool::Ffmpeg, line).exitCode, 0) << line;
  EXPECT_EQ(CountVideoFrames(CutFilePath(tempDir, 0, output)), plan->copied.count);
}

struct WholeCutCase {
  const char* sample;
  std::int64_t inMs, outMs;
};

// A whole cut: the head and the end encoded by their lines, with the codec
// and parameters the probe report gives, the copy written by the program
// from the source's packets, all three in the source's time stamps, their
// bytes joined (the samples' video PIDs are the ones ffmpeg writes). It
// holds exactly the frames asked for, decodes without a word, its frames
// follow each other one frame apart across both seams (the concat
// demuxer's join left a 1.44 s gap before a one-frame end, whose start
// time ffprobe cannot tell), the copied packets are the source's bytes,
// and its first frame is the source's frame at the In.
TEST(SmartCutRun, AWholeCutHoldsExactlyTheFramesAskedFor) {
  const WholeCutCase cases[] = {
      {"pyramid.ts", 1000, 4610}, {"open-gop.ts", 300, 2700},  // interlaced, top field first
  };
  for (const WholeCutCase& c : cases) {
    SCOPED_TRACE(c.sample);
    const std::string input = SamplePath(c.sample);
    const Listed listed = ListPackets(input);
    const std::int64_t in = listed.start + c.inMs * 1000, out = listed.start + c.outMs * 1000;
    const std::optional<SmartCutPlan> plan = PlanSmartCut(listed.packets, in, out);
    ASSERT_TRUE(plan && plan->head.count > 0 && plan->copied.count > 0 && plan->end.count > 0);
    const std::string folder = WorkFolder("smart-copy");
    const std::string head = folder + "\\head.ts", copied = folder + "\\copied.ts",
                      end = folder + "\\end.ts", cut = folder + "\\cut.ts";
    ASSERT_NO_FATAL_FAILURE(Encode(input, plan->head, listed, head));
    ASSERT_NO_FATAL_FAILURE(Encode(input, plan->end, listed, end));

    const VideoPacket& keyframe = listed.packets[plan->copyBegin];
    std::ifstream source(input, std::ios::binary);
    std::ofstream target(copied, std::ios::binary | std::ios::trunc);
    const std::optional<TransportCopyCount> count = CopyTransportVideo(
        [&](std::int64_t offset, std::size_t size) {
          std::string bytes(size, '\0');
          source.clear();
          source.seekg(offset);
          source.read(bytes.data(), static_cast<std::streamsize>(size));
          bytes.resize(static_cast<std::size_t>(source.gcount()));
          return bytes;
        },
        {VideoPid(input), keyframe.bytePos, keyframe.pts, plan->copyStopDts},
        [&](std::string_view bytes) {
          return static_cast<bool>(
              target.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
        });
    target.close();
    ASSERT_TRUE(count);
    EXPECT_EQ(count->pictures, plan->copied.count);
    EXPECT_EQ(static_cast<std::size_t>(count->leftOut), plan->leftOut.size());

    {
      std::ofstream joined(cut, std::ios::binary | std::ios::trunc);
      for (const std::string& piece : {head, copied, end})
        joined << std::ifstream(piece, std::ios::binary).rdbuf();
    }

    EXPECT_EQ(CountVideoFrames(cut), plan->head.count + plan->copied.count + plan->end.count);
    const ToolRun decoded =
        RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i" + Quoted(cut) + " -f null -");
    EXPECT_EQ(decoded.output, "");
    const std::vector<std::int64_t> times = DecodedFrameTimes(cut);
    for (std::size_t i = 1; i < times.size(); ++i)
      EXPECT_NEAR(times[i] - times[i - 1], 40000, 20000) << "frame " << i;  // 25 fps
    const std::vector<std::string> cutHashes = PacketHashes(cut),
                                   sourceHashes = PacketHashes(input);
    std::vector<std::string> shared;
    std::set_intersection(cutHashes.begin(), cutHashes.end(), sourceHashes.begin(),
                          sourceHashes.end(), std::back_inserter(shared));
    EXPECT_GE(static_cast<int>(shared.size()), plan->copied.count);
    EXPECT_GE(FirstFramePsnr(cut, input, in, folder), 40);
  }
}

}  // namespace
}  // namespace trellimux::test
