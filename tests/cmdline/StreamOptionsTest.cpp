// Probed rows, every cell as ffprobe printed it, become options ffmpeg takes.
#include <gtest/gtest.h>

#include "cmdline/StreamOptions.h"
#include "cmdline/StreamRows.h"

namespace trellimux {
namespace {

std::string Options(const StreamTable& rows) {
  std::string command;
  AppendMappedStreams(command, rows, rows.RowCount(), StreamOptionRules{});
  return command;
}

TEST(StreamOptions, ProbedRowsWriteOnlyWhatTheEncoderTakes) {
  const std::pair<RowCells, const char*> cases[] = {
      {{"0", "video", true, {{kCodec, "h264"}, {kWidth, "0"}, {kHeight, "0"}, {kSar, "0:1"},
                             {kDar, "1:0"}, {kLevel, "-99"}, {kFps, "180000/2"}}},
       " -c:v:0 h264"},  // a live stream probed as 0x0
      {{"0", "video", true, {{kCodec, "mjpeg"}, {kProfile, "Baseline"}, {kLevel, "0"},
                             {kWidth, "64"}, {kHeight, "64"}, {kFps, "90000/1"}}},
       " -c:v:0 mjpeg -filter:v:0 scale=64/64"},  // cover art
      {{"0", "video", true, {{kCodec, "mpeg2video"}, {kProfile, "4:2:2"}, {kSar, "16:15"},
                             {kDar, "4:3"}, {kFps, "0/0"}}},
       " -c:v:0 mpeg2video -profile:v:0 0 -filter:v:0 setsar=16/15,setdar=4/3 -aspect:v:0 4:3"},
      {{"0", "video", true, {{kCodec, "h264"}, {kProfile, "High 4:2:2 Intra"}, {kLevel, "41"}}},
       " -c:v:0 h264 -profile:v:0 high422 -level:v:0 41"},
      {{"0", "video", true, {{kCodec, "copy"}, {kWidth, "640"}, {kHeight, "360"}}}, " -c:v:0 copy"},
      {{"0", "audio", true, {{kCodec, "mp2"}, {kSampleFmt, "fltp"}, {kChannels, "2"},
                             {kLayout, "stereo"}}},
       " -c:a:0 mp2 -ac:a:0 2 -channel_layout:a:0 stereo"},
      {{"0", "audio", true, {{kCodec, "ac3"}, {kSampleFmt, "fltp"}, {kChannels, "6"},
                             {kLayout, "5.1(side)"}}},
       " -c:a:0 ac3 -sample_fmt:a:0 fltp -ac:a:0 6 -channel_layout:a:0 5.1(side)"},
      {{"0", "audio", true, {{kCodec, "eac3"}, {kChannels, "8"}, {kLayout, "7.1"}}}, " -c:a:0 eac3"},
      {{"0", "audio", true, {{kCodec, "vorbis"}, {kSampleFmt, "fltp"}}},
       " -c:a:0 libvorbis -sample_fmt:a:0 fltp"},
      {{"0", "audio", true, {{kCodec, "aac_latm"}, {kChannels, "1"}}}, " -c:a:0 aac -ac:a:0 1"},
      {{"0", "audio", true, {{kCodec, "dts"}, {kSampleFmt, "s32p"}, {kLanguage, "eng"}}},
       " -c:a:0 copy -metadata:s:a:0 language=eng"},
      {{"0", "subtitle", true, {{kCodec, "dvb_teletext"}}}, " -c:s:0 copy"},
      {{"0", "subtitle", true, {{kCodec, "hdmv_pgs_subtitle"}}}, " -c:s:0 copy"},
  };
  for (const auto& [row, options] : cases)
    EXPECT_EQ(Options(Rows({row})), std::string(" -map 0:0") + options) << row.cells[0].second;
}

TEST(StreamOptions, EachVideoRowGetsItsOwnFilterChain) {
  // A film and its cover picture: one -vf would give the film the cover's size.
  EXPECT_EQ(Options(Rows({{"0", "video", true, {{kWidth, "320"}, {kHeight, "240"}}},
                          {"1", "audio", true, {}},
                          {"2", "video", true, {{kWidth, "64"}, {kHeight, "64"}}}})),
            " -map 0:0 -filter:v:0 scale=320/240 -map 0:1 -map 0:2 -filter:v:1 scale=64/64");
}

}  // namespace
}  // namespace trellimux
