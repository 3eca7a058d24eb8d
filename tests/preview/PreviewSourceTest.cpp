#include <gtest/gtest.h>

#include <string>

#include "preview/FrameFit.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"

namespace trellimux {
namespace {

std::string Report(const std::string& streams, const std::string& format) {
  return streams + "[FORMAT]\r\n" + format + "[/FORMAT]\r\n";
}

const std::string kAudio = "[STREAM]\r\ncodec_type=audio\r\nsample_rate=48000\r\n[/STREAM]\r\n";
// A 1080i H.264 broadcast: the field rate as r_frame_rate, the frames' as avg.
const std::string kBroadcast =
    "[STREAM]\r\nindex=0\r\ncodec_name=h264\r\ncodec_type=video\r\nwidth=1440\r\nheight=1080\r\n"
    "id=0x1ff\r\n"
    "sample_aspect_ratio=4:3\r\ndisplay_aspect_ratio=16:9\r\nr_frame_rate=50/1\r\n"
    "avg_frame_rate=25/1\r\n[/STREAM]\r\n";

TEST(PreviewSource, ReadsTheFirstVideoStreamAndTheFormatSection) {
  const std::optional<PreviewSource> source =
      PreviewSourceOf(Report(kAudio + kBroadcast, "start_time=1.400000\r\nduration=70.020000\r\n"));
  ASSERT_TRUE(source);
  EXPECT_EQ(source->durationMs, 70020);
  EXPECT_EQ(source->startMicroseconds, 1400000);
  EXPECT_EQ(source->width, 1440);
  EXPECT_EQ(source->height, 1080);
  EXPECT_EQ(source->sampleAspect, "4:3");
  EXPECT_EQ(source->displayAspect, "16:9");
  EXPECT_EQ(source->frameMs, 40);
  EXPECT_EQ(source->coding, VideoCoding::H264);
  EXPECT_EQ(source->streamId, 0x1ff);
  for (const char* other : {"id=N/A", "id=0x", "id=0x1ff0000", "id=256", "id=0xg1", ""}) {
    const std::optional<PreviewSource> noId = PreviewSourceOf(Report(
        std::string("[STREAM]\ncodec_type=video\n") + other + "\n[/STREAM]\n", "duration=5.0\n"));
    ASSERT_TRUE(noId) << other;
    EXPECT_EQ(noId->streamId, -1) << other;
  }

  // NTSC rates; no usable average rate falls back on r_frame_rate, then 40 ms.
  const struct {
    std::string rates;
    std::int64_t frameMs;
  } rates[] = {{"r_frame_rate=30000/1001\navg_frame_rate=0/0\n", 33},
               {"r_frame_rate=60000/1001\n", 17},
               {"r_frame_rate=90000/1\navg_frame_rate=0/0\n", 40},  // cover art
               {"", 40}};
  for (const auto& c : rates) {
    const std::optional<PreviewSource> ntsc = PreviewSourceOf(
        Report("[STREAM]\ncodec_type=video\n" + c.rates + "[/STREAM]\n", "duration=5.0\n"));
    ASSERT_TRUE(ntsc) << c.rates;
    EXPECT_EQ(ntsc->frameMs, c.frameMs) << c.rates;
  }

  // No preview: audio only, no duration, a video section cut off.
  EXPECT_FALSE(PreviewSourceOf(Report(kAudio, "duration=60.0\r\n")));
  EXPECT_FALSE(PreviewSourceOf(Report(kBroadcast, "duration=N/A\r\n")));
  EXPECT_FALSE(PreviewSourceOf("[STREAM]\ncodec_type=video\nwidth=720\n"));
}

TEST(PreviewSource, SliderStepsAndTheTimesItAsksFor) {
  PreviewSource source;
  source.durationMs = 70020;
  source.frameMs = 40;
  const SliderSteps steps = SliderStepsFor(source);
  EXPECT_EQ(steps.line, 40);
  EXPECT_EQ(steps.page, 3501);
  EXPECT_EQ(steps.last, 70020);
  source.durationMs = 4000;
  EXPECT_EQ(SliderStepsFor(source).page, 1000) << "a page is at least a second";

  const struct {
    int position;
    std::int64_t time;
  } positions[] = {{-5, 0}, {0, 0}, {1234, 1234}, {3920, 3920}, {3921, 3920}, {4000, 3920}};
  for (const auto& c : positions) EXPECT_EQ(FrameTimeOfPosition(c.position, source), c.time);

  EXPECT_EQ(PreviewTimeText(3723450, false), "01:02:03.450");
  EXPECT_EQ(PreviewTimeText(723480, true), "keyframe 00:12:03.480");
  EXPECT_EQ(PreviewTimeText(723450, false, 724480), "00:12:03.450 · copy from 00:12:04.480");
  // Keyframe ticks: every keyframe where they lie 3 px apart or more; in a
  // stretch of closer ones, one every 3 px.
  const std::vector<std::int64_t> keyframes = {0, 2000, 4000, 5000, 5500, 6000, 9000};
  EXPECT_EQ(SliderKeyframeMarks(keyframes, 10000, 1000), keyframes);
  EXPECT_EQ(SliderKeyframeMarks(keyframes, 10000, 30),  // 3 px: 1 s
            (std::vector<std::int64_t>{0, 2000, 4000, 5000, 6000, 9000}));
  EXPECT_EQ(SliderKeyframeMarks(keyframes, 10000, 12),  // 3 px: 2.5 s
            (std::vector<std::int64_t>{0, 4000, 9000}));
  EXPECT_TRUE(SliderKeyframeMarks(keyframes, 10000, 0).empty());
  // 90 kHz keyframe times round up to the next millisecond, never down.
  EXPECT_EQ(KeyframeCutMs(2080000), 2080);
  EXPECT_EQ(KeyframeCutMs(1001000 + 1), 1002);
  EXPECT_EQ(KeyframeCutMs(33367), 34);
  EXPECT_EQ(KeyframeCutMs(-5), 0);
}

TEST(FrameFit, KeepsTheDisplayAspectRatioInsideTheBox) {
  const struct {
    int width, height;
    const char* sar;
    const char* dar;
    FrameBox box;
  } cases[] = {
      {1920, 1080, "1:1", "16:9", {62, 0, 400, 225}},
      {1440, 1080, "4:3", "16:9", {62, 0, 400, 225}},  // anamorphic HD
      {720, 576, "64:45", "16:9", {62, 0, 400, 225}},  // PAL widescreen
      {720, 576, "16:15", "4:3", {112, 0, 300, 225}},
      {720, 576, "64:45", "0:1", {62, 0, 400, 225}},   // no DAR: SAR x size
      {640, 480, "N/A", "N/A", {112, 0, 300, 225}},    // square samples
      {0, 0, "0:1", "0:1", {62, 0, 400, 225}},         // live stream, unknown
      {2560, 1080, "1:1", "64:27", {0, 2, 525, 221}},  // wider than the box
      {100, 1000, "1:1", "1:10", {251, 0, 23, 225}},
  };
  for (const auto& c : cases) {
    const FrameBox box = FitFrame(DisplayAspect(c.width, c.height, c.sar, c.dar), 525, 225);
    EXPECT_EQ(std::tie(box.x, box.y, box.width, box.height),
              std::tie(c.box.x, c.box.y, c.box.width, c.box.height))
        << c.width << "x" << c.height << " " << c.sar << " " << c.dar;
  }
}

TEST(FrameRequest, AsksForOneBitmapOfTheFirstVideoStream) {
  EXPECT_EQ(FrameArguments("D:\\TV\\Film.ts", 3721089, 1400000, 3723450, 400, 225),
            " -v quiet -nostdin -ss 3721.089 -copyts -i \"D:\\TV\\Film.ts\" -map 0:v:0"
            " -frames:v 1 -vf \"select='gte(t,3724.8495)',scale=400:225:flags=area\" -pix_fmt bgr24"
            " -f image2pipe -c:v bmp -");
  // Time stamps that begin at 0, and a negative start time.
  EXPECT_NE(FrameArguments("a.ts", 0, 0, 0, 1, 1).find("gte(t,-0.0005)"), std::string::npos);
  EXPECT_NE(FrameArguments("a.ts", 0, -2000000, 1500, 1, 1).find("gte(t,-0.5005)"),
            std::string::npos);
}

}  // namespace
}  // namespace trellimux
