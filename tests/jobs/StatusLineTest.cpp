#include <gtest/gtest.h>

#include "jobs/StatusLine.h"

namespace trellimux {
namespace {

// ffmpeg.exe 4.1 under Wine: status lines redrawn after a bare CR, the last
// closed by CR LF.
constexpr std::string_view kFfmpeg41Output =
    "  Duration: 00:00:30.00, start: 0.000000, bitrate: 222 kb/s\r\n"
    "frame=   69 fps=0.0 q=0.0 size=N/A time=00:00:02.83 bitrate=N/A speed=5.57x    \r"
    "frame=   98 fps= 96 q=28.0 size=N/A time=00:00:03.99 bitrate=N/A speed=3.91x    \r"
    "frame=  200 fps= 63 q=-1.0 Lsize=N/A time=00:00:08.00 bitrate=N/A speed=2.54x    \r\n"
    "video:33kB audio:689kB subtitle:0kB other streams:0kB global headers:0kB\r\n";

TEST(StatusLine, ReadsStatusLines) {
  const struct {
    std::string_view line;
    std::optional<double> position, speed;
  } cases[] = {
      // ffmpeg 5.1 with video, audio only; later releases
      {"frame=  124 fps= 75 q=28.0 size=       4kB time=00:00:04.96 bitrate=   6.9kbits/s "
       "speed=   3x    ",
       4.96, 3.0},
      {"frame=  750 fps=0.0 q=-1.0 Lsize=N/A time=00:00:29.96 bitrate=N/A speed=1.15e+04x    ",
       29.96, 11500.0},
      {"size=     235kB time=00:00:30.01 bitrate=  64.1kbits/s speed= 126x    ", 30.01, 126.0},
      {"frame=  250 fps=0.0 q=-1.0 Lsize=  588KiB time=00:00:09.96 speed=1.7x elapsed=0:00:00.05",
       9.96, 1.7},
      {"frame=    0 fps=0.0 q=0.0 size=  0KiB time=-00:00:00.02 bitrate=N/A speed=N/A", 0.0,
       std::nullopt},
      {"Lsize=     235KiB time=123:04:05.50 bitrate=  64.1kbits/s speed=1.02x", 443045.5, 1.02},
      // not status lines: metadata, a filter's message
      {"    comment         : time=00:10:00.00 speed=2x", std::nullopt, std::nullopt},
      {"[Parsed_ebur128_0 @ 0x55] frame=1 time=00:00:03.00", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    StatusLineReader reader;
    EXPECT_EQ(reader.Add(std::string(c.line) + "\r"), c.position.has_value()) << c.line;
    EXPECT_EQ(reader.Position(), c.position) << c.line;
    EXPECT_EQ(reader.Speed(), c.speed) << c.line;
  }
}

// The pipe may cut the output anywhere: inside a line, inside "time=", or
// between the CR and LF of a line end.
TEST(StatusLine, PiecesSplitAnywhereReadAsTheWhole) {
  StatusLineReader byByte;
  std::vector<double> positions;
  for (char c : kFfmpeg41Output)
    if (byByte.Add(std::string_view(&c, 1))) positions.push_back(*byByte.Position());
  EXPECT_EQ(positions, (std::vector<double>{2.83, 3.99, 8.0}));
  const std::size_t lastStatusEnd = kFfmpeg41Output.find("\r\nvideo:");
  for (std::size_t cut = 0; cut <= kFfmpeg41Output.size(); ++cut) {
    StatusLineReader split;
    split.Add(kFfmpeg41Output.substr(0, cut));
    EXPECT_EQ(split.Add(kFfmpeg41Output.substr(cut)), cut <= lastStatusEnd) << cut;
    EXPECT_EQ(split.Position(), 8.0) << cut;
    EXPECT_EQ(split.Speed(), 2.54) << cut;
    EXPECT_EQ(split.InputsTotal(), 30.0) << cut;
  }
}

TEST(StatusLine, KeepsItsPositionAndReadsALastLineAtTheEnd) {
  StatusLineReader reader;
  reader.Add(std::string(10000, 'x') + "\n");  // longer than any line kept
  EXPECT_TRUE(reader.Add("size=     4kB time=00:00:01.50 bitrate=  1.0kbits/s speed=1.5x\r"));
  EXPECT_FALSE(reader.Add("frame=    0 fps=0.0 q=0.0 size=N/A time=N/A bitrate=N/A speed=N/A\r"));
  EXPECT_EQ(reader.Position(), 1.5);
  EXPECT_FALSE(reader.Add("size=N/A time=00:00:30.00 bitrate=N/A speed= 484x"));
  EXPECT_TRUE(reader.End());
  EXPECT_EQ(reader.Position(), 30.0);
}

TEST(StatusLine, InputDurationsAndTheirSum) {
  StatusLineReader reader;
  EXPECT_EQ(reader.InputsTotal(), std::nullopt);
  reader.Add(
      "  Duration: 00:00:30.00, start: 1.400000, bitrate: 3021 kb/s\r\n"
      "      DURATION        : 00:00:30.000000000\r\n"  // a stream's tag
      "  Duration: 00:01:02.50, start: 0.000000, bitrate: 222 kb/s\n");
  EXPECT_EQ(reader.InputsTotal(), 92.5);
  reader.Add("  Duration: N/A, start: 0.000000, bitrate: N/A\n");
  EXPECT_EQ(reader.InputDurations().size(), 3u);
  EXPECT_EQ(reader.InputsTotal(), std::nullopt);
}

}  // namespace
}  // namespace trellimux
