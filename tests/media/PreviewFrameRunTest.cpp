// The preview's frame command run with a real ffmpeg on a clip whose
// brightness counts its frames: the bitmap it prints is read back and its
// brightness says which frame came, for a time asked for and, as the Copy
// mode asks, for the keyframe at or before it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "preview/BmpImage.h"
#include "preview/DecoderCommand.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux::test {
namespace {

int FrameShown(const ToolRun& run, int width, int height) {
  return CountingFrameShown(run.output, width, height);
}

TEST(PreviewFrameRun, ShowsTheFrameAtATimeAndTheKeyframeBeforeIt) {
  const std::string clip = MakeCountingClip("counting.ts", 2);
  const std::optional<PreviewSource> source = PreviewSourceOf(ProbeReport(clip));
  ASSERT_TRUE(source);
  EXPECT_EQ(source->frameMs, 40);

  // The first frame at or after the time, read from just before the
  // keyframe at or before it; in Copy mode that keyframe, whose cut time
  // (rounded up) finds it again.
  const struct {
    std::int64_t ms;
    int frame;
    int keyframe;
  } times[] = {{1000, 25, 20}, {1600, 40, 40}, {799, 20, 10}};
  for (const auto& c : times) {
    SCOPED_TRACE(::testing::Message() << c.ms << " ms");
    const std::vector<Cut> cut = {{MillisecondsAsCutTime(c.ms), MillisecondsAsCutTime(c.ms)}};
    const std::string packets =
        RunTool(FfmpegTool::Ffprobe, KeyframeProbeArguments(clip, source->startMicroseconds, cut))
            .output;
    const std::optional<KeyframeBefore> keyframe =
        KeyframeAtOrBefore(packets, source->startMicroseconds, c.ms);
    ASSERT_TRUE(keyframe) << packets;
    EXPECT_EQ(FrameShown(RunTool(FfmpegTool::Ffmpeg,
                                 FrameArguments(clip, keyframe->seekMs, source->startMicroseconds,
                                                c.ms, 64, 48)),
                         64, 48),
              c.frame % 25);
    const std::int64_t keyframeMs = KeyframeCutMs(keyframe->ptsMicroseconds);
    EXPECT_EQ(keyframeMs, c.keyframe * 40);
    EXPECT_EQ(FrameShown(RunTool(FfmpegTool::Ffmpeg,
                                 FrameArguments(clip, keyframe->seekMs, source->startMicroseconds,
                                                keyframe->ptsMicroseconds / 1000, 64, 48)),
                         64, 48),
              c.keyframe % 25);
    EXPECT_EQ(KeyframeAtOrBefore(packets, source->startMicroseconds, keyframeMs)->ptsMicroseconds,
              keyframe->ptsMicroseconds);
  }
}

// The decoder's graph opens a file whose name holds every character its two
// parsers treat apart, and prints each frame's time stamp in microseconds:
// frame N at the start plus N * 40 ms.
TEST(PreviewFrameRun, DecoderGraphOpensAnyFileNameAndTimesItsFrames) {
  const std::string clip = MakeCountingClip("counting.ts", 2);
  const std::optional<PreviewSource> source = PreviewSourceOf(ProbeReport(clip));
  ASSERT_TRUE(source);
  // The names are UTF-8, as the tools read them.
  const std::string awkward = OutputPath("Rock'n'Roll, [live]; Süd.ts");
  std::filesystem::copy_file(std::filesystem::path(std::u8string(clip.begin(), clip.end())),
                             std::filesystem::path(std::u8string(awkward.begin(), awkward.end())));
  const std::string script = OutputPath("decoder-graph.txt");
  std::ofstream(script, std::ios::binary) << DecoderGraph(awkward, 64, 48);
  const ToolRun run = RunTool(FfmpegTool::Ffmpeg,
                              " -hide_banner -nostats -v info"
                              " -filter_complex_script \"" +
                                  script + "\" -map \"[preview]\" -f null -");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::vector<std::int64_t> times;
  std::size_t from = 0;
  while (from < run.output.size()) {
    std::size_t end = run.output.find_first_of("\r\n", from);
    if (end == std::string::npos) end = run.output.size();
    const DecoderLine line =
        ParseDecoderLine(std::string_view(run.output).substr(from, end - from));
    if (line.kind == DecoderLine::Kind::Frame && line.hasTime) times.push_back(line.microseconds);
    from = end + 1;
  }
  ASSERT_EQ(times.size(), 50u) << run.output;
  for (std::size_t n = 0; n < times.size(); ++n)
    EXPECT_NEAR(times[n], source->startMicroseconds + static_cast<std::int64_t>(n) * 40000, 12)
        << "frame " << n;
}

}  // namespace
}  // namespace trellimux::test
