// The preview's frame command run with a real ffmpeg on a clip whose
// brightness counts its frames: the bitmap it prints is read back and its
// brightness says which frame came, for a time asked for and, as the Copy
// mode asks, for the keyframe at or before it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "preview/BmpImage.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux::test {
namespace {

// 2 s at 25 fps, frame N with luma 24 + 8 (N mod 25), a keyframe every 10 frames
// (no scene-change keyframes, though every frame differs): frame N shows
// N * 40 ms after the start.
std::string MakeCountingClip() {
  const std::string path = OutputPath("counting.ts");
  const ToolRun made =
      RunTool(FfmpegTool::Ffmpeg,
              " -v error -y -f lavfi -i \"color=c=black:s=160x120:r=25:d=2,format=yuv420p,"
              "geq=lum='24+8*mod(N,25)':cb=128:cr=128\" -c:v mpeg2video -q:v 2 -g 10 -bf 0 "
              "-sc_threshold 1000000000 \"" +
                  path + "\"");
  EXPECT_EQ(made.exitCode, 0) << made.output;
  return path;
}

// The frame number (mod 25) the bitmap's centre shows; -1 without a
// bitmap. Grey levels measured: 6 for frame 0, 9.35 more per frame.
int FrameShown(const ToolRun& run, int width, int height) {
  const std::optional<BmpImage> image = ParseBmp(run.output);
  if (!image || image->width != width || image->height != height) return -1;
  const Bgr pixel = PixelAt(*image, width / 2, height / 2);
  return static_cast<int>(std::lround((pixel.green - 6) / 9.35));
}

// The same frame from the command of a child started ahead: its list and
// filter script, here read from files.
int WaitingFrameShown(const std::string& clip, std::int64_t seekMs, std::int64_t startMicroseconds,
                      std::int64_t timeMs) {
  const FrameInput input = WaitingFrameInput(clip, seekMs, startMicroseconds, timeMs, 64, 48);
  const std::string list = OutputPath("frame-list.txt");
  const std::string script = OutputPath("frame-script.txt");
  std::ofstream(list, std::ios::binary) << input.list;
  std::ofstream(script, std::ios::binary) << input.filters;
  return FrameShown(RunTool(FfmpegTool::Ffmpeg, WaitingFrameArguments(list, script)), 64, 48);
}

TEST(PreviewFrameRun, ShowsTheFrameAtATimeAndTheKeyframeBeforeIt) {
  const std::string clip = MakeCountingClip();
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
    EXPECT_EQ(WaitingFrameShown(clip, keyframe->seekMs, source->startMicroseconds, c.ms),
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

}  // namespace
}  // namespace trellimux::test
