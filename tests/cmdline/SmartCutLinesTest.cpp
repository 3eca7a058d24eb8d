#include <gtest/gtest.h>

#include <vector>

#include "cmdline/SmartCutLines.h"

namespace trellimux {
namespace {

// A cut of a recording that starts at 1.4 s: its head's frames shown from
// 3.48 s (file time) decoded from the keyframe at 2.40 s whose decoding
// time is 2.32 s, one audio stream from 3.48 s up to where its copy begins;
// its end only another audio stream's last frames. One run writes each
// piece in the source's time stamps with its stream's PID, each run's video
// and other streams from inputs of their own.
TEST(SmartCutLines, OneRunWritesEachPieceInTheSourcesTimes) {
  const SourceTransport transport{28006, 100, 511, {512, 513}};
  const std::vector<PieceRun> runs = {
      {VideoPiece{FrameRun{3480000, 3960000, 13, Keyframe{2400000, 2320000, 1880}}, "0:1",
                  "D:\\T\\h.ts"},
       {{"0:2", 512, 3480000, 4020000, "D:\\T\\h-512.ts"}}},
      {std::nullopt, {{"0:3", 513, 63480000, 64000000, "D:\\T\\e-513.ts"}}}};
  const std::string pieceOptions =
      " -muxdelay 0 -muxpreload 0 -mpegts_service_id 28006"
      " -mpegts_pmt_start_pid 100 -streamid 0:";
  EXPECT_EQ(SmartPieceLine("D:\\rec.ts", 1400000, runs, " -c:v libx264", transport),
            // Each input reads to 1 s past its pieces' last time.
            " -copyts -ss 00:00:00.919 -t 2.641000 -i \"D:\\rec.ts\" -ss 00:00:00.000 -t 3.620000"
            " -i \"D:\\rec.ts\""
            " -ss 00:00:57.080 -t 6.520000 -i \"D:\\rec.ts\""  // 5 s before the end's audio
            " -map 0:1 -vf \"select=gte(t\\,3.479500)\" -frames:v 13 -c:v libx264" +
                pieceOptions +
                "511 \"D:\\T\\h.ts\" -map 1:2 -c copy -ss 3.479500 -to 4.019500"
                " -output_ts_offset 3.479500" +
                pieceOptions +
                "512 \"D:\\T\\h-512.ts\""
                " -map 2:3 -c copy -ss 63.479500 -to 63.999500 -output_ts_offset 63.479500" +
                pieceOptions + "513 \"D:\\T\\e-513.ts\"");
  for (const auto& [numbers, taken] :
       {std::pair{SourceTransport{28006, 100, 511, {512}}, true},
        {SourceTransport{1, 4096, 256}, true},
        {SourceTransport{1, 16, 256}, false},    // a map PID 5.1 refuses
        {SourceTransport{1, 8000, 256}, false},  // one 4.1 refuses
        {SourceTransport{1, 100, 100}, false},   // one PID for both
        {SourceTransport{1, 100, 256, {100}}, false},
        {SourceTransport{1, 100, 256, {8191}}, false}})  // the null packets'
    EXPECT_EQ(MultiplexerTakes(numbers), taken) << numbers.mapPid << " " << numbers.videoPid;
}

// An encoder that writes frames on its rate's grid (mpeg2video) gets a
// piece's frames moved onto it, in whole ticks of the 90 kHz clock, and
// written back at their own times.
TEST(SmartCutLines, FramesOffTheirRatesGridAreMovedOntoItAndBack) {
  for (const auto& [pts, rate, shift] :
       {std::tuple<std::int64_t, FrameRate, std::int64_t>{3480000, {25, 1}, 0},
        {6497300, {25, 1}, 17300},  // a clock 3.0173 s on
        {3600017300, {25, 1}, 17300},
        {1001000, {30000, 1001}, 0},  // 30 frames of 29.97 fps
        {1011000, {30000, 1001}, 10000},
        {3600000000, {30000, 1001}, 3600},
        {6497300, {}, 0}})  // a rate not known
    EXPECT_EQ(GridShift(pts, rate), shift) << pts << " " << rate.num;
  const SourceTransport transport{1, 4096, 256, {}};
  const std::vector<PieceRun> runs = {
      {VideoPiece{FrameRun{6497300, 6977300, 13, Keyframe{6417300, 6337300, 1880}}, "0:0",
                  "D:\\T\\h.ts", 17300},
       {}}};
  const std::string line =
      SmartPieceLine("D:\\rec.ts", 3017300, runs, " -c:v mpeg2video", transport);
  EXPECT_NE(line.find("-vf \"select=gte(t\\,6.496800),setpts=PTS-0.017300/TB\" -frames:v 13 -c:v "
                      "mpeg2video -output_ts_offset 0.017300 -muxdelay 0"),
            std::string::npos)
      << line;
}

}  // namespace
}  // namespace trellimux
