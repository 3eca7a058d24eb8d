// The preview's decoder child with the real ffmpeg.exe, on a clip whose
// brightness counts its frames: the frames read after a seek come from
// there, with their time stamps and whether they are intra frames, and a
// frame ahead is read on to.
#include "preview/win/FrameDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "jobs/win/WholeFile.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "preview/FrameSearch.h"
#include "trim/KeyframeSearch.h"

namespace trellimux::test {
namespace {

// A 4 s counting clip (see MakeCountingClip): an MPEG-TS, whose time
// stamps begin at 1.4 s or so.
std::int64_t kStartUs = 0;  // the clip's, as probed
std::int64_t FrameUs(int n) { return kStartUs + n * 40000; }

// Reads as the preview does: the frame of `goal`, seeking where the search
// says; the frame number shown and how many frames were read.
std::pair<int, int> FrameFor(FrameDecoder& decoder, const FrameGoal& goal) {
  FrameSearch search(goal, decoder.DecodedUs());
  if (const auto seek = search.FirstSeek(); seek && !decoder.Seek(*seek)) return {-1, 0};
  for (int read = 1;; ++read) {
    std::optional<FrameDecoder::Frame> frame = decoder.Next();
    if (!frame) return {-1, read};
    if (!frame->current) continue;
    // The clip has a keyframe every 10 frames and no B-frames.
    if (frame->microseconds)
      EXPECT_EQ(frame->intra, (*frame->microseconds - FrameUs(0)) / 40000 % 10 == 0)
          << *frame->microseconds;
    const FrameSearch::Step step = search.OnFrame(frame->microseconds);
    if (step == FrameSearch::Step::Take) return {CountingFrameShown(frame->bitmap, 64, 48), read};
    if (step == FrameSearch::Step::SeekAgain && !decoder.Seek(search.SeekUs())) return {-1, read};
  }
}

TEST(FrameDecoder, ShowsEachFrameAskedForFromOneChild) {
  const std::string clip = MakeCountingClip("decoder-counting.ts", 4);
  kStartUs = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(clip)).output);
  ASSERT_GT(kStartUs, 0);
  const char* tools = std::getenv("TRELLIMUX_TOOLS");
  ASSERT_TRUE(tools);
  const std::string script = ProgramTempFilePath("decoder test") + ".txt";
  FrameDecoder decoder;
  ASSERT_TRUE(decoder.Start(ToolSidePath(tools), script, clip, kStartUs, 64, 48));
  const struct {
    const char* what;
    int frame;
    int keyframe;  // listed, or -1
    int shown;     // mod 25
  } moves[] = {
      {"the first frame, read on from the start", 0, -1, 0},
      {"a frame ahead, read on", 13, -1, 13},
      {"back, to the keyframe listed", 57, 50, 7},
      {"back, unlisted: seeks further back until it lands before", 36, -1, 11},
      {"the next frame", 37, 30, 12},
      {"past the last frame: the last", 200, -1, 99 % 25},
  };
  for (const auto& move : moves) {
    FrameGoal goal{FrameUs(move.frame), std::nullopt, std::nullopt, kStartUs};
    if (move.keyframe >= 0) {
      goal.keyframeUs = FrameUs(move.keyframe);
      goal.keyframeSeekUs = FrameUs(move.keyframe) - 1000;
    }
    const auto [shown, read] = FrameFor(decoder, goal);
    if (move.frame >= 100) {
      EXPECT_EQ(shown, -1) << "the decoder's output ends after the last frame";
      break;
    }
    EXPECT_EQ(shown, move.shown) << move.what;
    EXPECT_EQ(decoder.DecodedUs(), FrameUs(move.frame)) << move.what;
  }
  DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace trellimux::test
