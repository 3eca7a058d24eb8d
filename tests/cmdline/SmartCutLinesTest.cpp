#include <gtest/gtest.h>

#include "cmdline/SmartCutLines.h"

namespace trellimux {
namespace {

// A cut of a recording that starts at 1.4 s: frames shown from 3.48 s
// (file time) decoded from the keyframe at 2.40 s whose decoding time is
// 2.32 s; the audio from the In at 3.48 s to the Out at 9.00 s.
TEST(SmartCutLines, EachPieceKeepsTheSourcesTimeStamps) {
  const FrameRun run{3480000, 3960000, 13, Keyframe{2400000, 2320000, 1880}};
  EXPECT_EQ(SmartEncodeLine("D:\\rec.ts", "0:1", 1400000, run, " -c:v libx264", {28006, 100, 511},
                            "D:\\Temp\\temp0-head.ts"),
            " -copyts -ss 00:00:00.919 -i \"D:\\rec.ts\" -map 0:1"
            " -vf \"select=gte(t\\,3.479500)\" -frames:v 13 -c:v libx264 -an -muxdelay 0"
            " -muxpreload 0 -mpegts_service_id 28006 -mpegts_pmt_start_pid 100 -streamid 0:511"
            " \"D:\\Temp\\temp0-head.ts\"");
  for (const auto& [transport, taken] :
       {std::pair{SourceTransport{28006, 100, 511}, true},
        {SourceTransport{1, 4096, 256}, true},
        {SourceTransport{1, 16, 256}, false},    // a map PID 5.1 refuses
        {SourceTransport{1, 8000, 256}, false},  // one 4.1 refuses
        {SourceTransport{1, 100, 100}, false}})  // one PID for both
    EXPECT_EQ(MultiplexerTakes(transport), taken) << transport.mapPid << " " << transport.videoPid;
  EXPECT_EQ(SmartAudioLine("D:\\rec.ts", 1400000, 3480000, 9000000, " -map 0:2 -map 0:3",
                           "D:\\Temp\\temp0-audio.ts"),
            " -copyts -ss 00:00:00.000 -i \"D:\\rec.ts\" -map 0:2 -map 0:3 -c copy"
            " -ss 3.479500 -to 8.999500 -output_ts_offset 3.479500 -muxdelay 0 -muxpreload 0"
            " \"D:\\Temp\\temp0-audio.ts\"");
  EXPECT_EQ(SmartAudioLine("D:\\rec.ts", 1400000, 63480000, 69000000, " -map 0:2", "D:\\a.ts")
                .substr(0, 25),
            " -copyts -ss 00:00:57.080")
      << "5 s before the In";
  const std::string pieces[] = {"D:\\h.ts", "D:\\c.ts"};
  EXPECT_EQ(SmartMuxLine(pieces, "D:\\a.ts", -2080000, "D:\\Temp\\temp0.ts"),
            " -copyts -i \"concat:D:\\h.ts|D:\\c.ts\" -i \"D:\\a.ts\" -map 0:v -map 1 -c copy"
            " -output_ts_offset -2.080000 -muxdelay 0 -muxpreload 0 \"D:\\Temp\\temp0.ts\"");
  EXPECT_EQ(SmartMuxLine(std::span(pieces, 1), std::nullopt, 0, "D:\\t.ts"),
            " -copyts -i \"D:\\h.ts\" -map 0:v -c copy -muxdelay 0 -muxpreload 0 \"D:\\t.ts\"")
      << "one piece, nothing beside it";
}

}  // namespace
}  // namespace trellimux
