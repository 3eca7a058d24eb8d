#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "probe/ProbedDuration.h"

namespace trellimux {
namespace {

std::string RealReport(const std::string& name) {
  std::string path = TRELLIMUX_REPORTS_DIR "/" + name + ".report";
#ifdef _WIN32
  path = "Z:" + path;  // the source tree as Wine shows it
#endif
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Stream sections come first with durations of their own (and, in
// Matroska, a DURATION tag); only the format section's counts.
TEST(ProbedDuration, ReadsTheFormatSection) {
  const struct {
    std::string report;
    std::optional<double> seconds;
  } cases[] = {
      {RealReport("ix_mod_mpeg2_mp2_sidedata"), std::nullopt},   // no duration in it
      {RealReport("ix_mp4_bbb_cbaseline_rtp_default"), 60.095},  // a stream: 60.095011
      {RealReport("jf_mkv_vp8_vorbis_srt"), 117.700914},         // a stream: 117.707
      {RealReport("kn_mkv_hevc_heaac_pgs"), 4394.162},           // "1:13:14.162000"
      {"[FORMAT]\nduration=N/A\n[/FORMAT]\n", std::nullopt},
      {"[FORMAT]\nduration=0.000000\n[/FORMAT]\n", std::nullopt},
      {"[STREAM]\nduration=10.000000\n[/STREAM]\n", std::nullopt},
      {"[FORMAT]\rstart_time=0.0\rduration=5.5\r[/FORMAT]\r", 5.5},
      {std::string("[FORMAT]\0duration=5.5", 21), 5.5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProbedDuration(c.report), c.seconds) << c.report.substr(0, 80);
}

}  // namespace
}  // namespace trellimux
