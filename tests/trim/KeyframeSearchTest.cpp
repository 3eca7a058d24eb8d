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
  // Where each keyframe's packet begins, for a decoder fed from there.
  std::vector<std::int64_t> bytes;
  for (const Keyframe& keyframe : ParseKeyframes(packets)) bytes.push_back(keyframe.bytePos);
  EXPECT_EQ(bytes, (std::vector<std::int64_t>{564, 2162000, -1}));
}

}  // namespace
}  // namespace trellimux
