// Cuts that are encoded at their ends and copied between, checked against
// what a real ffmpeg does with the samples' own packets: the plan against
// the frames it decodes from an In to an Out, and whole cuts made as the
// Trim page makes them: its lookup, its box's lines, the program's copy.
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

#include "app/SmartCopyLookup.h"
#include "cmdline/SmartCopyCommand.h"
#include "concat/ConcatCommand.h"
#include "media/MediaChecks.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "params/PageTables.h"
#include "process/ToolInvocation.h"
#include "text/PathText.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"
#include "trim/SmartCutPlan.h"
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

// A frame's own time as ffmpeg takes it with -copyts: just before its time
// stamp.
std::string OwnTime(std::int64_t pts) {
  return MillisecondsAsCutTime((pts - kFrameTimeSlackUs) / 1000);
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

// What the tests read of a sample once: its packets, decoded frames, packet
// sums, and its probe report's Trim table with every stream ticked.
struct Sample {
  std::string path;
  Listed listed;
  std::vector<std::int64_t> frameTimes;
  std::vector<std::string> hashes;
  std::string report;
  StreamTable streams;
};

const Sample& SampleFacts(const std::string& name) {
  static std::map<std::string, Sample> known;
  if (const auto found = known.find(name); found != known.end()) return found->second;
  Sample sample;
  sample.path = SamplePath(name);
  sample.listed = ListPackets(sample.path);
  sample.frameTimes = DecodedFrameTimes(sample.path);
  sample.hashes = PacketHashes(sample.path);
  sample.report = ProbeReport(sample.path);
  PageTables tables(StreamPage::Trim);
  EXPECT_FALSE(tables.LoadProbeReport(sample.report)) << name;
  sample.streams = tables.SourceTable();
  for (std::size_t i = 0; i < sample.streams.RowCount(); ++i) sample.streams.SetChecked(i, true);
  return known.emplace(name, std::move(sample)).first->second;
}

struct CutCase {
  const char* sample;
  std::int64_t inMs, outMs;
  bool head, copied, end;  // which parts the cut has
  std::size_t leftOut;     // leading pictures of the copy's keyframe
};

// The transport streams' video starts 10 ms after their start time (the
// audio's); phone.mp4 and .mkv: H.264 with two B-frames, a keyframe every
// 2 s.
// pyramid.ts: H.264, B-pyramids, a keyframe every 2 s (closed GOPs);
// open-gop.ts: MPEG-2 interlaced, top field first, two B pictures, a
// keyframe every 0.48 s whose two leading B pictures refer to the GOP before.
const CutCase kCutCases[] = {
    {"pyramid.ts", 1000, 4610, true, true, true, 0},    // B-frames before the Out
    {"pyramid.ts", 2010, 4010, false, true, false, 0},  // on keyframes: all copied
    {"pyramid.ts", 2300, 3100, true, false, false, 0},  // no keyframe inside
    {"open-gop.ts", 300, 2700, true, true, true, 2},    // leading pictures: head
    {"open-gop.ts", 970, 1000, false, true, false, 2},  // one frame, a keyframe
    {"phone.mp4", 1000, 4590, true, true, true, 0},     // an MP4: the same three parts
    {"phone.mp4", 2000, 3000, false, true, true, 0},
    {"long.mp4", 1000, 38590, true, true, false, 0},   // past the lookup's windows
    {"phone.mkv", 1000, 4590, true, true, true, 0},    // Matroska, by way of an MP4
    {"off-grid.ts", 1000, 4610, true, true, true, 0},  // frames off their rate's grid
    {"off-grid-mpeg2.ts", 300, 2700, true, true, true, 2},
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

    // The cut as the Trim page makes it: the lookup, the box's block, its
    // lines run in turn.
    const std::string folder = WorkFolder("smart-copy");
    const std::string output =
        folder + "\\out" + std::string(PathExtension(c.sample));  // the source's kind
    const TrimCommandInput page{input, output, folder, kSmartCopyCut, kCutOnly};
    const std::vector<Cut> cuts = {{MillisecondsAsCutTime(c.inMs), MillisecondsAsCutTime(c.outMs)}};
    const SmartCopyFacts facts = FindSmartCopyFacts(
        [](const std::string& arguments) { return RunTool(FfmpegTool::Ffprobe, arguments).output; },
        FileReader(input), input, cuts, sample.report, sample.streams);
    const SmartCopyCommand command = BuildSmartCopyCommand(page, sample.streams, cuts, facts);
    ASSERT_EQ(command.fallbacks, std::vector{SmartFallback::None}) << command.text;
    const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(command.text);
    for (const std::string& line : blocks.front()) ASSERT_EQ(RunTrimLine(line), "");
    const std::string cut = CutFilePath(folder, 0, page.outputPath);
    EXPECT_EQ(CountVideoFrames(cut), asked);
    EXPECT_EQ(
        RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i" + Quoted(cut) + " -f null -").output,
        "");
    // The frame rate a reader derives from the track's times is the
    // source's: a jump in an MP4's decoding times made ffmpeg read 1125/46,
    // which the Matroska multiplexer wrote as the frame duration.
    const std::string rates = RunTool(FfmpegTool::Ffprobe,
                                      " -v error -select_streams v:0 -show_entries "
                                      "stream=r_frame_rate,avg_frame_rate -of csv=p=0" +
                                          Quoted(cut))
                                  .output;
    if (asked > 1) EXPECT_TRUE(rates.starts_with("25/1,25/1")) << rates;
    const std::vector<std::int64_t> times = DecodedFrameTimes(cut);
    for (std::size_t i = 1; i < times.size(); ++i)
      EXPECT_NEAR(times[i] - times[i - 1], 40000, 1500) << "frame " << i;  // 25 fps
    const std::vector<std::string> cutHashes = PacketHashes(cut);
    std::vector<std::string> shared;
    std::set_intersection(cutHashes.begin(), cutHashes.end(), sample.hashes.begin(),
                          sample.hashes.end(), std::back_inserter(shared));
    EXPECT_GE(static_cast<int>(shared.size()), plan->copied.count);
    EXPECT_GE(FirstFramePsnr(cut, input, in, folder), 40);
    // The audio (frames of 21-24 ms) begins and ends within a frame of the
    // video, by their frames' own times (an MP4's track duration that
    // ffmpeg.exe 4.1 writes counts two frames more than its last one ends).
    ASSERT_FALSE(times.empty());
    const AudioSeams sound = AudioSeamsOf(cut, "a:0");
    EXPECT_NEAR(sound.first, times.front() / 1e6, 0.024);
    EXPECT_NEAR(sound.end, times.back() / 1e6 + 0.04, 0.024);
    // Every audio frame follows the one before: none lost or doubled at a seam.
    for (const char* track : {"a:0", "a:1"}) {
      const AudioSeams seams = AudioSeamsOf(cut, track);
      EXPECT_LT(seams.gap, 0.002) << track;
      EXPECT_LT(seams.overlap, 0.002) << track;
      if (track == std::string("a:0")) EXPECT_GT(seams.packets, 0);
    }
  }
}

}  // namespace
}  // namespace trellimux::test
