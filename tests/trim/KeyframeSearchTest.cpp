#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

TEST(KeyframeSearch, MillisecondsAndCutTimesConvertBothWays) {
  EXPECT_EQ(CutTimeMilliseconds("01:02:03.450"), 3723450);
  EXPECT_EQ(MillisecondsAsCutTime(3723450), "01:02:03.450");
  EXPECT_EQ(MillisecondsAsCutTime(-5), "00:00:00.000");
  EXPECT_EQ(MillisecondsAsCutTime(100LL * 3600 * 1000 + 7), "100:00:00.007");
}

TEST(KeyframeSearch, ProbesReadFromTheStartTimeAWindowBeforeEachIn) {
  EXPECT_EQ(StartTimeProbeArguments("D:\\rec.ts"),
            " -v error -show_entries format=start_time -of csv=p=0 \"D:\\rec.ts\"");
  EXPECT_EQ(ParseStartTimeMicroseconds("1.400000\r\n"), 1400000);
  EXPECT_EQ(ParseStartTimeMicroseconds("N/A\r\n"), 0);
  EXPECT_EQ(ParseStartTimeMicroseconds(""), 0);
  const std::vector<Cut> cuts = {{"00:00:03.000", "00:00:05.000"},
                                 {"00:01:00.250", "00:01:09.000"}};
  EXPECT_EQ(KeyframeProbeArguments("D:\\rec.ts", 1400000, cuts),
            " -v error -select_streams v:0 -read_intervals 1.400%5.400,46.650%62.650"
            " -show_entries packet=pts_time,dts_time,flags -of csv \"D:\\rec.ts\"");
}

TEST(KeyframeSearch, EachCutSeeksJustBeforeTheLastKeyframeAtOrBeforeItsIn) {
  // Both ffprobe versions' flag spellings; a B-frame stream decodes its
  // keyframes 80 ms early; CR LF from ffprobe.exe.
  const std::string packets =
      "packet,1.480000,1.400000,K__\r\n"
      "packet,1.560000,1.440000,___\r\n"
      "packet,3.480000,3.400000,K_,side_data,\r\n"
      "packet,3.520000,3.440000,__\r\n"
      "packet,4.400000,4.320000,__\r\n"
      "packet,5.480000,5.400000,K__\r\n"
      "format,1.400000\r\n";
  const std::vector<Cut> cuts = {{"00:00:03.000", "00:00:05.000"},   // keyframe 2.08 s in
                                 {"00:00:02.080", "00:00:03.000"},   // exactly on it
                                 {"00:00:00.050", "00:00:01.000"},   // before the first one
                                 {"00:00:30.000", "00:00:31.000"}};  // none listed near
  EXPECT_EQ(
      CopyCutStarts(packets, 1400000, cuts),
      (std::vector<std::string>{"00:00:01.999", "00:00:01.999", "00:00:00.050", "00:00:30.000"}));
  EXPECT_EQ(CopyCutStarts("", 0, cuts)[0], "00:00:03.000") << "a failed probe";
}

}  // namespace
}  // namespace trellimux
