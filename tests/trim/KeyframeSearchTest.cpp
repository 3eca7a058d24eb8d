#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

const std::vector<Cut> kCuts = {{"00:00:03.000", "00:00:05.000"},   // keyframe 2.08 s in
                                {"00:00:02.080", "00:00:03.000"},   // exactly on it
                                {"00:00:00.050", "00:00:01.000"},   // before the first
                                {"00:01:00.250", "00:01:09.000"}};  // none listed near

TEST(KeyframeSearch, ProbesReadFromTheStartTimeAWindowBeforeEachIn) {
  EXPECT_EQ(ParseStartTimeMicroseconds("1.400000\r\n"), 1400000);
  EXPECT_EQ(ParseStartTimeMicroseconds("N/A\r\n"), 0);
  EXPECT_EQ(KeyframeProbeArguments("D:\\rec.ts", 1400000, {&kCuts[3], 1}),
            " -v error -select_streams v:0 -read_intervals 46.650%62.650"
            " -show_entries packet=pts_time,dts_time,pos,flags -of csv \"D:\\rec.ts\"");
  // Near the start: the first from the beginning, as a seek to the start
  // time lands after the first keyframe; a later one from the start time,
  // as ffprobe would go on from where the one before stopped.
  EXPECT_EQ(KeyframeProbeArguments("D:\\rec.ts", 1400000, {&kCuts[0], 2}),
            " -v error -select_streams v:0 -read_intervals %5.400,1.400%4.480"
            " -show_entries packet=pts_time,dts_time,pos,flags -of csv \"D:\\rec.ts\"");
  // A copy also reads around each Out; windows that meet are read as one.
  EXPECT_EQ(CopyCutProbeArguments("D:\\rec.ts", 1400000, {&kCuts[3], 1}),
            " -v error -select_streams v:0 -read_intervals 46.650%62.650,68.400%71.400"
            " -show_entries packet=pts_time,dts_time,pos,flags -of csv \"D:\\rec.ts\"");
  EXPECT_EQ(CopyCutProbeArguments("D:\\rec.ts", 1400000, {&kCuts[0], 2}),
            " -v error -select_streams v:0 -read_intervals %7.400"
            " -show_entries packet=pts_time,dts_time,pos,flags -of csv \"D:\\rec.ts\"");
  EXPECT_EQ(MillisecondsAsCutTime(100LL * 3600 * 1000 + 7), "100:00:00.007");
}

TEST(KeyframeSearch, EachCutSeeksJustBeforeTheLastKeyframeAtOrBeforeItsIn) {
  // Both ffprobe versions' flags; B-frames decode keyframes 80 ms early.
  const std::string packets =
      "packet,1.480000,1.400000,564,K__\r\n"
      "packet,3.480000,3.400000,2162000,K_,side_data,\r\n"
      "packet,3.520000,3.440000,2205240,__\r\n"
      "packet,5.480000,5.400000,N/A,K__\r\n";
  EXPECT_EQ(
      CopyCutStarts(packets, 1400000, kCuts),
      (std::vector<std::string>{"00:00:01.999", "00:00:01.999", "00:00:00.050", "00:01:00.250"}));
  EXPECT_EQ(CopyCutStarts("", 0, kCuts)[0], "00:00:03.000") << "a failed probe";
  // An In of whole milliseconds just before the keyframe's time stamp is
  // at it; one a millisecond before is not.
  EXPECT_EQ(CopyCutStarts(packets, 1399600, {&kCuts[1], 1})[0], "00:00:01.999");
  EXPECT_EQ(CopyCutStarts(packets, 1399000, {&kCuts[1], 1})[0], "00:00:00.000");
  // Where each keyframe's packet begins, for a decoder fed from there.
  std::vector<std::int64_t> bytes;
  for (const Keyframe& keyframe : ParseKeyframes(packets)) bytes.push_back(keyframe.bytePos);
  EXPECT_EQ(bytes, (std::vector<std::int64_t>{564, 2162000, -1}));
}

TEST(KeyframeSearch, EachCopyStopsAtTheFirstPacketShownAtOrAfterItsOut) {
  // Around the first cut's Out (6.4 s as the file counts): an anchor shown at
  // 6.44 s decodes at 6.32 s, before the B-frame shown at 6.36 s that refers
  // to it (left out); a packet listed twice, as ffprobe's windows may.
  const std::string packets =
      "packet,6.320000,6.200000,100,__\r\n"
      "packet,6.240000,6.240000,200,__\r\n"
      "packet,6.280000,6.280000,300,__\r\n"
      "packet,6.440000,6.320000,400,__\r\n"
      "packet,6.360000,6.360000,500,__\r\n"
      "packet,6.400000,6.400000,600,__\r\n"
      "packet,6.440000,6.320000,400,__\r\n"
      "packet,2.480000,2.400000,40,K_\r\n";  // the third cut's Out: 2.4 s
  EXPECT_EQ(
      CopyCutEnds(packets, 1400000, kCuts),
      (std::vector<std::string>{"00:00:04.920", "00:00:03.000", "00:00:01.000", "00:01:09.000"}));
  const CopyCutTimes times = FindCopyCutTimes(packets, 1400000, {&kCuts[0], 1});
  EXPECT_EQ(times.ends, (std::vector<std::string>{"00:00:04.920"}));
  EXPECT_EQ(times.starts, (std::vector<std::string>{"00:00:00.999"}));
}

}  // namespace
}  // namespace trellimux
