#include <gtest/gtest.h>

#include "cmdline/ProfileNames.h"
#include "text/CommandText.h"

namespace trellimux {
namespace {

TEST(MapProfileName, HevcEncodersTakeTheirOwnProfileNames) {
  for (const char* codec : {"h265", "HEVC", "libx265"}) {
    EXPECT_EQ(MapProfileName(codec, "Main"), "main") << codec;
    EXPECT_EQ(MapProfileName(codec, "main_10"), "main10") << codec;
    EXPECT_EQ(MapProfileName(codec, "Main_Still_Picture"), "mainstillpicture") << codec;
    EXPECT_EQ(MapProfileName(codec, "Rext"), "") << codec << ": no single encoder name";
  }
}

TEST(MapProfileName, NumberFamiliesGiveFfmpegProfileNumbers) {
  const std::pair<const char*, const char*> mpeg2[] = {
      {"422", "0"},          {"High", "1"}, {"Spatially Scalable", "2"},
      {"snr_scalable", "3"}, {"Main", "4"}, {"SIMPLE", "5"}};
  for (const auto& [name, number] : mpeg2) EXPECT_EQ(MapProfileName("MPEG2VIDEO", name), number);
  EXPECT_EQ(MapProfileName("mpeg4", "Simple"), "0");
  EXPECT_EQ(MapProfileName("mpeg4", "Core_Scalable"), "10");
  EXPECT_EQ(MapProfileName("mpeg4", "Advanced_Simple"), "15");
  EXPECT_EQ(MapProfileName("vp9", "2"), "2");
}

TEST(MapProfileName, UnknownCodecsPassPlainNamesUnchanged) {
  EXPECT_EQ(MapProfileName("libvpx", "1"), "1");
  EXPECT_EQ(MapProfileName("", "Main"), "Main");
  EXPECT_EQ(MapProfileName("hevc", ""), "");
}

TEST(MapProfileName, ProbedDisplayNamesTakeTheEncodersSpelling) {
  struct Case {
    const char* codec;
    const char* probed;
    const char* written;  // "" : left out
  };
  const Case cases[] = {
      {"h264", "Constrained Baseline", "baseline"}, {"h264", "Baseline", "baseline"},
      {"h264", "Main", "main"},                     {"libx264", "High", "high"},
      {"h264", "High 10", "high10"},                {"h264", "High 4:2:2", "high422"},
      {"h264", "High 4:2:2 Intra", "high422"},      {"h264", "High 4:4:4 Predictive", "high444"},
      {"h264", "High 4:4:4 Intra", "high444"},      {"h264", "Extended", ""},
      {"hevc", "Main 10", "main10"},                {"hevc", "Main_10", "main10"},
      {"hevc", "Main Still Picture", "mainstillpicture"},
      {"hevc", "main10", "main10"},
      {"libx265", "MainStillPicture", "mainstillpicture"},
      {"hevc", "High", ""},                         {"mpeg2video", "4:2:2", "0"},
      {"mpeg2video", "422", "0"},                   {"mpeg2video", "4", "4"},
      {"mpeg2video", "Main10", ""},                 {"mpeg4", "Simple Profile", "0"},
      {"mpeg4", "Advanced Simple Profile", "15"},   {"mpeg4", "Code Scalable Profile", "10"},
      {"vp9", "Profile 2", "2"},                    {"vp9", "4", ""},
      {"mjpeg", "Baseline", ""},                    {"png", "Main", ""},
      {"aac", "HE-AACv2", "HE-AACv2"},              {"libvpx", "Dolby Digital Plus", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapProfileName(c.codec, c.probed), c.written) << c.codec << " " << c.probed;
}

TEST(MapProfileName, EveryFamilyListsItsNamesOnce) {
  for (const ProfileFamily& family : ProfileFamilies()) {
    ASSERT_FALSE(family.profiles.empty());
    for (std::size_t i = 0; i < family.profiles.size(); ++i)
      for (std::size_t j = i + 1; j < family.profiles.size(); ++j)
        EXPECT_NE(family.profiles[i].name, family.profiles[j].name);
  }
  EXPECT_EQ(FindProfileFamily("x"), nullptr);
  EXPECT_EQ(FindProfileFamily("Libx265"), FindProfileFamily("hevc"));
}

TEST(FormatUnsigned, WritesDecimalDigitsWithoutLeadingZeros) {
  EXPECT_EQ(FormatUnsigned(0), "0");
  EXPECT_EQ(FormatUnsigned(7), "7");
  EXPECT_EQ(FormatUnsigned(1000), "1000");
  EXPECT_EQ(FormatUnsigned(4294967295u), "4294967295");
}

TEST(FormatTimeOfDay, TwoDigitsEachJoinedByColons) {
  EXPECT_EQ(FormatTimeOfDay({0, 0, 0}), "00:00:00");
  EXPECT_EQ(FormatTimeOfDay({23, 59, 7}), "23:59:07");
}

}  // namespace
}  // namespace trellimux
