// The preview's decoder children with the real ffmpeg.exe, on a clip whose
// brightness counts its frames: the frames read after a seek come from
// there, with their time stamps and whether they are intra frames, and a
// frame ahead is read on to; the movie decoder seeks by time, the fed one
// from a listed keyframe's packet.
#include "preview/win/FrameDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <vector>

#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "preview/FrameSearch.h"
#include "preview/win/FedDecoder.h"
#include "process/win/WholeFile.h"
#include "trim/KeyframeSearch.h"

namespace trellimux::test {
namespace {

// A counting clip (see MakeCountingClip): an MPEG-TS, whose time
// stamps begin at 1.4 s or so.
std::int64_t kStartUs = 0;  // the clip's, as probed
std::int64_t FrameUs(int n) { return kStartUs + n * 40000; }

// Reads as the preview does: the frame of `goal`, seeking where the search
// says; the frame number shown and how many frames were read.
std::pair<int, int> FrameFor(PreviewDecoder& decoder, const FrameGoal& goal) {
  FrameSearch search(goal, decoder.DecodedUs());
  auto seek = [&](std::int64_t us) {
    return decoder.Seek({us, goal.keyframeUs, goal.keyframeBytePos, goal.targetUs});
  };
  if (const auto first = search.FirstSeek(); first && !seek(*first)) return {-1, 0};
  for (int read = 1;; ++read) {
    std::optional<PreviewDecoder::Frame> frame = decoder.Next();
    if (!frame) return {-1, read};
    if (!frame->current) continue;
    // The clip has a keyframe every 10 frames and no B-frames.
    if (frame->microseconds)
      EXPECT_EQ(frame->intra, (*frame->microseconds - FrameUs(0)) / 40000 % 10 == 0)
          << *frame->microseconds;
    const FrameSearch::Step step = search.OnFrame(frame->microseconds);
    if (step == FrameSearch::Step::Take) return {CountingFrameShown(frame->bitmap, 64, 48), read};
    if (step == FrameSearch::Step::SeekAgain && !seek(search.SeekUs())) return {-1, read};
  }
}

std::string Tools() {
  const char* tools = std::getenv("TRELLIMUX_TOOLS");
  return tools ? ToolSidePath(tools) : std::string();
}

struct Move {
  const char* what;
  int frame;
  int keyframe;  // listed, or -1
  int shown;     // mod 25
};

// Each move in turn; a move past the clip's `frames` ends the output.
void ExpectMoves(PreviewDecoder& decoder, const std::vector<Keyframe>& listed,
                 std::span<const Move> moves, int frames = 100) {
  for (const Move& move : moves) {
    FrameGoal goal{FrameUs(move.frame), std::nullopt, std::nullopt, kStartUs};
    if (move.keyframe >= 0) {
      goal.keyframeUs = FrameUs(move.keyframe);
      goal.keyframeSeekUs = FrameUs(move.keyframe) - 1000;
      for (const Keyframe& keyframe : listed)
        if (keyframe.pts == *goal.keyframeUs) goal.keyframeBytePos = keyframe.bytePos;
    }
    const auto [shown, read] = FrameFor(decoder, goal);
    if (move.frame >= frames) {
      EXPECT_EQ(shown, -1) << "the decoder's output ends after the last frame";
      break;
    }
    EXPECT_EQ(shown, move.shown) << move.what;
    EXPECT_EQ(decoder.DecodedUs(), FrameUs(move.frame)) << move.what;
  }
}

TEST(FrameDecoder, ShowsEachFrameAskedForFromOneChild) {
  // Frames of a broadcast's size: a seek sent while ffmpeg reads on is
  // taken at its next look at standard input (a tenth of a second), before
  // it reaches the clip's end. 8 s of them: on a quiet machine ffmpeg.exe
  // read the 43 frames after a seek to frame 57 of a 4 s clip to its end
  // within that tenth (2 runs of 3).
  const std::string clip = MakeCountingClip("decoder-counting.ts", 8, true);
  kStartUs = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(clip)).output);
  ASSERT_GT(kStartUs, 0);
  const std::string script = ProgramTempFilePath("decoder test") + ".txt";
  FrameDecoder decoder;
  ASSERT_TRUE(decoder.Start(Tools(), script, clip, kStartUs, 64, 48));
  const Move moves[] = {
      {"the first frame, read on from the start", 0, -1, 0},
      {"a frame ahead, read on", 13, -1, 13},
      {"back, to the keyframe listed", 57, 50, 7},
      {"back, unlisted: seeks further back until it lands before", 36, -1, 11},
      {"the next frame", 37, 30, 12},
      {"past the last frame: the last", 400, -1, 199 % 25},
  };
  ExpectMoves(decoder, {}, moves, 200);
  DeleteFileA(script.c_str());
}

TEST(FedDecoder, ShowsEachFrameAskedForFedFromItsKeyframesPacket) {
  // Frames of broadcast's size: the feeding is then only a few ahead of
  // the frames read, and a seek back is fed, not the clip's end.
  const std::string clip = MakeCountingClip("fed-counting.ts", 4, true);
  kStartUs = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(clip)).output);
  const std::vector<Keyframe> listed = ParseKeyframes(
      RunTool(FfmpegTool::Ffprobe, KeyframeListArguments(clip, kStartUs, 0, 5000)).output);
  ASSERT_EQ(listed.size(), 10u);
  ASSERT_TRUE(FedDecoder::CanFeed(clip));
  EXPECT_FALSE(FedDecoder::CanFeed(MakeCountingClip("fed-counting.mkv", 1)));
  EXPECT_FALSE(FedDecoder::CanFeed(OutputPath("no such clip.ts")));

  FedDecoder decoder;
  ASSERT_TRUE(decoder.Start(Tools(), clip, kStartUs, 64, 48, VideoCoding::Mpeg2));
  // Every keyframe is listed, as the preview feeds only then.
  const Move moves[] = {
      {"the first frame, read on from the start", 0, 0, 0},
      {"a frame ahead, read on", 13, 10, 13},
      {"back, fed from its keyframe", 57, 50, 7},
      {"back again, past frames from before the seek", 36, 30, 11},
      {"the next frame", 37, 30, 12},
      {"forward beyond the next keyframe", 84, 80, 84 % 25},
      {"past the last frame: the last", 200, 90, 99 % 25},
  };
  ExpectMoves(decoder, listed, moves);
  EXPECT_FALSE(decoder.Seek({FrameUs(20), std::nullopt, -1})) << "no keyframe: not fed";
  EXPECT_FALSE(decoder.LostItsKeyframe()) << "the clip's end is no lost keyframe";

  // A keyframe whose frame never comes (as a stream whose keyframes ffmpeg
  // does not show): the decoder gives up before the clip's end and says so.
  FedDecoder lost;
  ASSERT_TRUE(lost.Start(Tools(), clip, kStartUs, 64, 48, VideoCoding::Mpeg2));
  ASSERT_TRUE(lost.Seek({FrameUs(0), FrameUs(0) + 20000, listed.front().bytePos}));
  int read = 0;
  while (lost.Next()) ++read;
  EXPECT_TRUE(lost.LostItsKeyframe()) << read << " frames read";
  EXPECT_LT(read, 99);
}

TEST(FedDecoder, LeavesOutBPicturesWellBeforeTheFrameAskedFor) {
  const std::string clip = MakeCountingClip("fed-counting-b.ts", 4, true, true);
  kStartUs = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(clip)).output);
  const std::vector<Keyframe> listed = ParseKeyframes(
      RunTool(FfmpegTool::Ffprobe, KeyframeListArguments(clip, kStartUs, 0, 5000)).output);
  ASSERT_EQ(listed.size(), 4u);
  // Frame 45 from the keyframe at 25: the B pictures shown before 39 (six
  // frames before it) are left out, the rest comes as ever.
  const struct {
    VideoCoding coding;
    std::vector<int> shown;
    std::vector<int> afterGap;
  } cases[] = {
      {VideoCoding::Mpeg2,
       {25, 28, 31, 34, 37, 39, 40, 41, 42, 43, 44, 45},
       {28, 31, 34, 37, 39}},
      {VideoCoding::Other,
       {25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45},
       {}},
  };
  for (const auto& c : cases) {
    FedDecoder decoder;
    ASSERT_TRUE(decoder.Start(Tools(), clip, kStartUs, 64, 48, c.coding));
    ASSERT_TRUE(decoder.Seek({FrameUs(25) - 1000, FrameUs(25), listed[1].bytePos, FrameUs(45)}));
    std::vector<int> shown, afterGap;
    while (shown.size() < c.shown.size()) {
      const std::optional<PreviewDecoder::Frame> frame = decoder.Next();
      ASSERT_TRUE(frame) << shown.size() << " frames";
      if (!frame->current) continue;
      shown.push_back(static_cast<int>((*frame->microseconds - kStartUs + 20000) / 40000));
      if (frame->followsGap) afterGap.push_back(shown.back());
      EXPECT_EQ(CountingFrameShown(frame->bitmap, 64, 48), shown.back() % 25)
          << "the picture of frame " << shown.back();
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(afterGap, c.afterGap);
  }
}

}  // namespace
}  // namespace trellimux::test
