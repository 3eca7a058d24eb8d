#include <gtest/gtest.h>

#include <string>

#include "cmdline/SmartCopyEncoding.h"

namespace trellimux {
namespace {

TEST(SmartCopyEncoding, EncodesWithTheSourcesCodecAndParameters) {
  struct Case {
    SourceVideo video;
    const char* options;  // nullptr: refused
    SmartEncodeRefusal refusal;
  };
  const Case cases[] = {
      // A 1080i broadcast: MBAFF top field first, its profile, level and colours.
      {{"h264", "High", "40", "yuv420p", "tt", "tv", "bt709", "bt709", "bt709"},
       " -c:v libx264 -preset veryfast -crf 10 -x264-params tff=1 -pix_fmt yuv420p"
       " -profile:v high -level:v 40 -color_range tv -colorspace bt709 -color_trc bt709"
       " -color_primaries bt709",
       {}},
      // A phone's progressive video; values ffprobe does not know are left out.
      {{"h264", "Constrained Baseline", "-99", "yuvj420p", "progressive", "pc", "unknown", "",
        "reserved"},
       " -c:v libx264 -preset veryfast -crf 10 -pix_fmt yuvj420p -profile:v baseline"
       " -color_range pc",
       {}},
      // A PAL broadcast, bottom field first, with closed GOPs.
      {{"mpeg2video", "Main", "8", "yuv420p", "bb", "tv", "unknown", "unknown", "unknown"},
       " -c:v mpeg2video -q:v 1 -qmin 1 -sc_threshold 1000000000 -flags +cgop+ilme+ildct -top 0"
       " -pix_fmt yuv420p -profile:v 4 -level:v 8 -color_range tv",
       {}},
      {{"mpeg2video", "4:2:2", "5", "yuv422p", "progressive", "", "", "", ""},
       " -c:v mpeg2video -q:v 1 -qmin 1 -sc_threshold 1000000000 -flags +cgop -pix_fmt yuv422p"
       " -profile:v 0 -level:v 5",
       {}},
      {{"hevc", "Main", "120", "yuv420p", "progressive", "", "", "", ""},
       nullptr,
       SmartEncodeRefusal::NoEncoder},
      {{"mpeg2video", "Main", "8", "yuv420p10le", "tt", "", "", "", ""},
       nullptr,
       SmartEncodeRefusal::PixelFormat},
      {{"h264", "High", "40", "yuv420p", "tb", "", "", "", ""},
       nullptr,
       SmartEncodeRefusal::UnknownFieldOrder},
      {{"h264", "High", "40", "yuv420p", "unknown", "", "", "", ""},
       nullptr,
       SmartEncodeRefusal::UnknownFieldOrder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.video.codec) + " " + std::string(c.video.fieldOrder));
    const SmartEncoding encoding = SmartEncoderOptions(c.video);
    if (!c.options) {
      EXPECT_FALSE(encoding.options);
      EXPECT_EQ(encoding.refusal, c.refusal);
      continue;
    }
    ASSERT_TRUE(encoding.options);
    EXPECT_EQ(*encoding.options, c.options);
  }
}

TEST(SmartCopyEncoding, ReadsTheStreamsSection) {
  const std::string report =
      "[STREAM]\nindex=0\ncodec_name=mp2\n[/STREAM]\n"
      "[STREAM]\r\nindex=1\r\ncodec_name=h264\r\nprofile=High\r\nlevel=40\r\npix_fmt=yuv420p\r\n"
      "color_range=tv\r\nfield_order=tt\r\n[/STREAM]\r\n[FORMAT]\nstart_time=1.400000\n[/FORMAT]\n";
  const SourceVideo video = ReadSourceVideo(report, 1);
  EXPECT_EQ(video.codec, "h264");
  EXPECT_EQ(video.fieldOrder, "tt");
  EXPECT_EQ(video.colorSpace, "") << "not in the section";
  EXPECT_EQ(ReadSourceVideo(report, 0).fieldOrder, "") << "not in the first section";
}

// The encoder's time base is a frame of the stream's rate, or of its
// average where that is far lower (H.264 fields counted as frames).
TEST(SmartCopyEncoding, TheGridIsTheRateFfmpegGivesTheEncoder) {
  for (const auto& [rate, average, num, den] : {std::tuple{"25/1", "25/1", 25, 1},
                                                {"30000/1001", "30000/1001", 30000, 1001},
                                                {"50/1", "25/1", 25, 1},
                                                {"25/1", "0/0", 25, 1},
                                                {"0/0", "24/1", 24, 1},
                                                {"90000/1", "25/1", 25, 1},
                                                {"25/1", "24/1", 25, 1},
                                                {"", "", 0, 1}}) {
    SourceVideo video{"h264", "High", "40", "yuv420p", "progressive"};
    video.frameRate = rate;
    video.averageFrameRate = average;
    const SmartEncoding encoding = SmartEncoderOptions(video);
    EXPECT_EQ(encoding.gridRate.num, num) << rate << " " << average;
    EXPECT_EQ(encoding.gridRate.den, den) << rate << " " << average;
  }
}

}  // namespace
}  // namespace trellimux
