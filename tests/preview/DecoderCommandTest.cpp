#include "preview/DecoderCommand.h"

#include <gtest/gtest.h>

namespace trellimux {
namespace {

TEST(DecoderCommand, ReadsItsGraphFromAScriptAndKeepsItsInputOpen) {
  EXPECT_EQ(DecoderArguments("C:\\Temp\\Trellimux frame 7-1.txt"),
            " -hide_banner -nostats -v info"
            " -filter_complex_script \"C:\\Temp\\Trellimux frame 7-1.txt\""
            " -map \"[preview]\" -vsync passthrough -pix_fmt bgr24 -f image2pipe -c:v bmp -");
  EXPECT_EQ(DecoderArguments("x").find("-nostdin"), std::string::npos)
      << "the seeks come through standard input";
  EXPECT_EQ(DecoderGraph("D:\\TV\\Film.ts", 400, 225),
            "movie=filename=D\\\\:\\\\\\\\TV\\\\\\\\Film.ts,settb=AVTB,scale=400:225:flags=area,showinfo"
            "[preview]");
  EXPECT_EQ(DecoderSeekLine(3724849500), "cmovie -1 seek -1|3724849500|1\n");
  EXPECT_EQ(DecoderSeekLine(-2000000), "cmovie -1 seek -1|-2000000|1\n");
}

TEST(DecoderCommand, FedDecoderReadsTheStreamFromStandardInputWithTheSameFrames) {
  EXPECT_EQ(FedDecoderArguments(400, 225),
            " -hide_banner -nostats -v info -analyzeduration 100000 -f mpegts -i pipe:0"
            " -map 0:v:0 -copyts"
            " -vf settb=AVTB,scale=400:225:flags=area,showinfo"
            " -vsync passthrough -pix_fmt bgr24 -f image2pipe -c:v bmp -");
}

// What the option parser and then the graph parser take literally: a
// backslash before any character; so every special character of either
// parser is behind one backslash per parser.
TEST(DecoderCommand, EscapesThePathForBothOfFfmpegsParsers) {
  const struct {
    const char* path;
    const char* value;
  } cases[] = {
      {"a.ts", "a.ts"},
      {"C:\\x.ts", "C\\\\:\\\\\\\\x.ts"},
      {"Rock'n'Roll.ts", "Rock\\\\\\'n\\\\\\'Roll.ts"},
      {"a,b;c[1].ts", "a\\,b\\;c\\[1\\].ts"},
      {"Süd Film=2.ts", "Süd Film=2.ts"},  // UTF-8, spaces and '=' pass as they are
  };
  for (const auto& c : cases) EXPECT_EQ(FilterGraphValue(c.path), c.value) << c.path;
}

TEST(DecoderCommand, TellsFramesAndSeeksFromTheOtherLines) {
  using Kind = DecoderLine::Kind;
  const struct {
    const char* line;
    Kind kind;
    bool hasTime;
    std::int64_t microseconds;
    bool intra = false;
  } cases[] = {
      // Printed by ffmpeg.exe 4.1.
      {"[Parsed_showinfo_3 @ 0000000000d40e80] n:   0 pts:1480000 pts_time:1.48    pos:      "
       "564 fmt:bgr24 sar:44/45 s:40x22 i:B iskey:1 type:I checksum:4CB9E2F0",
       Kind::Frame, true, 1480000, true},
      {"[Parsed_showinfo_3 @ 0000000000d40e80] n:   3 pts:1600000 pts_time:1.6     pos:  "
       "1234567 fmt:bgr24 sar:1/1 s:400x225 i:T iskey:0 type:B checksum:0A1B2C3D",
       Kind::Frame, true, 1600000, false},
      {"[Parsed_showinfo_3 @ 0000000000d40e80] n:  50 pts:3480000 pts_time:3.48    pos:  "
       "2168204 fmt:bgr24 sar:1/1 s:400x225 i:T iskey:1 type:P checksum:0A1B2C3D",
       Kind::Frame, true, 3480000, true},
      {"[Parsed_showinfo_3 @ 0000000000d40e80] n: 412 pts:23712345678 pts_time:23712.3",
       Kind::Frame, true, 23712345678},
      {"[Parsed_showinfo_3 @ 00d40e80] n:   7 pts:  -40000 pts_time:-0.04", Kind::Frame, true,
       -40000},
      {"[Parsed_showinfo_3 @ 00d40e80] n:   8 pts:NOPTS   pts_time:NOPTS", Kind::Frame, false, 0},
      {"Command reply for stream 0: ret:0 res:", Kind::SeekDone, false, 0},
      {"Command reply for stream 0: ret:-22 res:", Kind::SeekFailed, false, 0},
      // Not frames: the graph's set-up, the colour line after each frame.
      {"[Parsed_showinfo_3 @ 0000000000d40e80] config in time_base: 1/1000000, frame_rate: 25/1",
       Kind::Other, false, 0},
      {"[Parsed_showinfo_3 @ 0000000000d40e80] color_range:tv color_space:unknown", Kind::Other,
       false, 0},
      {"Press [q] to stop, [?] for help", Kind::Other, false, 0},
      {"", Kind::Other, false, 0},
  };
  for (const auto& c : cases) {
    const DecoderLine parsed = ParseDecoderLine(c.line);
    EXPECT_EQ(parsed.kind, c.kind) << c.line;
    EXPECT_EQ(parsed.hasTime, c.hasTime) << c.line;
    if (c.hasTime) EXPECT_EQ(parsed.microseconds, c.microseconds) << c.line;
    EXPECT_EQ(parsed.intra, c.intra) << c.line;
  }
}

}  // namespace
}  // namespace trellimux
