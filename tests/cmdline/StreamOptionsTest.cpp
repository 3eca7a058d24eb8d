// Probed rows, every cell as ffprobe printed it, become options ffmpeg takes.
#include <gtest/gtest.h>

#include "cmdline/ProbedValues.h"
#include "cmdline/StreamOptions.h"
#include "cmdline/StreamRows.h"

namespace trellimux {
namespace {

using Cells = std::vector<std::pair<int, const char*>>;

// The options of one checked row as the expert builder writes them.
std::string Options(const char* type, const Cells& cells) {
  std::string command;
  AppendMappedStreams(command, Rows({{"0", type, true, cells}}), 1, StreamOptionRules{});
  return command.substr(std::string(" -map 0:0").size());
}

TEST(ProbedValues, UnknownValuesCountAsEmpty) {
  for (const char* unknown : {"0:1", "0:0", "1:0", "0/1"}) EXPECT_EQ(KnownRatio(unknown), "");
  for (const char* known : {"16:9", "64/45", "1.7778"}) EXPECT_EQ(KnownRatio(known), known);
  EXPECT_EQ(KnownDimension("0"), "");
  EXPECT_EQ(KnownDimension("720"), "720");
  for (const char* unreal : {"90000/1", "180000/2", "0/0", "25/0", "1001/1"})
    EXPECT_EQ(KnownFrameRate(unreal), "") << unreal;
  for (const char* real : {"1000/1", "30000/1001", "25", "ntsc"})
    EXPECT_EQ(KnownFrameRate(real), real);
  for (const char* unknown : {"-99", "0", "-1"}) EXPECT_EQ(KnownLevel("h264", unknown), "");
  EXPECT_EQ(KnownLevel("h264", "4.1"), "4.1");
  EXPECT_EQ(KnownLevel("mjpeg", "5"), "") << "no levels";
  EXPECT_EQ(FilterRatio("16:9"), "16/9");
  EXPECT_EQ(FilterRatio("64/45"), "64/45");
  EXPECT_EQ(FilterRatio("a:b"), "a:b") << "an expression stays as it is";
}

TEST(StreamOptions, ProbedVideoRowsWriteOnlyWhatTheEncoderTakes) {
  struct Case {
    const char* what;
    Cells cells;
    const char* options;
  };
  const Case cases[] = {
      {"live stream probed as 0x0",
       {{kCodec, "h264"}, {kWidth, "0"}, {kHeight, "0"}, {kSar, "0:1"}, {kDar, "0:0"},
        {kLevel, "-99"}, {kFps, "180000/2"}},
       " -c:v:0 h264"},
      {"cover art",
       {{kCodec, "mjpeg"}, {kProfile, "Baseline"}, {kLevel, "-99"}, {kWidth, "64"},
        {kHeight, "64"}, {kSar, "1:1"}, {kFps, "90000/1"}, {kPixFmt, "yuvj420p"}},
       " -c:v:0 mjpeg -filter:v:0 scale=64/64,setsar=1/1 -pix_fmt:v:0 yuvj420p"},
      {"filters take N/M, -aspect keeps N:M",
       {{kCodec, "mpeg2video"}, {kProfile, "Main"}, {kLevel, "8"}, {kSar, "16:15"},
        {kDar, "4:3"}, {kFps, "25/1"}},
       " -c:v:0 mpeg2video -profile:v:0 4 -level:v:0 8 -filter:v:0 setsar=16/15,setdar=4/3,"
       "fps=fps=25/1 -aspect:v:0 4:3 -r:v:0 25/1"},
      {"display name of a profile",
       {{kCodec, "h264"}, {kProfile, "High 4:2:2 Intra"}, {kLevel, "41"}},
       " -c:v:0 h264 -profile:v:0 high422 -level:v:0 41"},
      {"copied video takes no encoder options or filters",
       {{kCodec, "copy"}, {kProfile, "High"}, {kWidth, "640"}, {kHeight, "360"}}, " -c:v:0 copy"},
  };
  for (const Case& c : cases) EXPECT_EQ(Options("video", c.cells), c.options) << c.what;
}

TEST(StreamOptions, ProbedAudioAndSubtitleRowsWriteOnlyWhatTheEncoderTakes) {
  struct Case {
    const char* type;
    Cells cells;
    const char* options;
  };
  const Case cases[] = {
      {"audio",
       {{kCodec, "mp2"}, {kSampleFmt, "fltp"}, {kSampleRate, "48000"}, {kChannels, "2"},
        {kLayout, "stereo"}},
       " -c:a:0 mp2 -ar:a:0 48000 -ac:a:0 2 -channel_layout:a:0 stereo"},
      {"audio", {{kCodec, "mp2"}, {kSampleFmt, "s16p"}}, " -c:a:0 mp2"},
      {"audio",
       {{kCodec, "ac3"}, {kSampleFmt, "fltp"}, {kChannels, "6"}, {kLayout, "5.1(side)"}},
       " -c:a:0 ac3 -sample_fmt:a:0 fltp -ac:a:0 6 -channel_layout:a:0 5.1(side)"},
      {"audio", {{kCodec, "eac3"}, {kChannels, "8"}, {kLayout, "7.1"}}, " -c:a:0 eac3"},
      {"audio", {{kCodec, "vorbis"}, {kSampleFmt, "fltp"}},
       " -c:a:0 libvorbis -sample_fmt:a:0 fltp"},
      {"audio", {{kCodec, "aac_latm"}, {kChannels, "1"}, {kLayout, "mono"}},
       " -c:a:0 aac -ac:a:0 1 -channel_layout:a:0 mono"},
      {"audio",
       {{kCodec, "dts"}, {kSampleFmt, "s32p"}, {kChannels, "8"}, {kLanguage, "eng"}},
       " -c:a:0 copy -metadata:s:a:0 language=eng"},
      {"audio", {{kCodec, "pcm_s24le"}, {kSampleFmt, "s32"}, {kChannels, "1"}},
       " -c:a:0 pcm_s24le -sample_fmt:a:0 s32 -ac:a:0 1"},
      {"audio", {{kCodec, "opus"}, {kSampleFmt, "fltp"}}, " -c:a:0 libopus"},
      {"subtitle", {{kCodec, "dvb_teletext"}, {kLanguage, "rus"}},
       " -c:s:0 copy -metadata:s:s:0 language=rus"},
      {"subtitle", {{kCodec, "hdmv_pgs_subtitle"}}, " -c:s:0 copy"},
      {"subtitle", {{kCodec, "subrip"}}, " -c:s:0 subrip"},
  };
  for (const Case& c : cases) EXPECT_EQ(Options(c.type, c.cells), c.options) << c.cells[0].second;
}

TEST(StreamOptions, EachVideoRowGetsItsOwnFilterChain) {
  // A film and its cover picture: one -vf would give the film the cover's size.
  std::string command;
  AppendMappedStreams(command,
                      Rows({{"0", "video", true, {{kWidth, "320"}, {kHeight, "240"}}},
                            {"1", "audio", true, {}},
                            {"2", "video", true, {{kWidth, "64"}, {kHeight, "64"}}}}),
                      3, StreamOptionRules{});
  EXPECT_EQ(command,
            " -map 0:0 -filter:v:0 scale=320/240 -map 0:1 -map 0:2 -filter:v:1 scale=64/64");
}

}  // namespace
}  // namespace trellimux
