#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cmdline/ContainerPresets.h"
#include "cmdline/EasySlots.h"
#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

using List = std::vector<std::string_view>;

int ContainerIndex(std::string_view name) {
  const auto it = std::find(kContainerListB.begin(), kContainerListB.end(), name);
  EXPECT_NE(it, kContainerListB.end()) << name;
  return static_cast<int>(it - kContainerListB.begin());
}

List Preset(std::string_view container, int slot) {
  return ContainerPreset(ContainerIndex(container), slot);
}

const std::vector<std::string_view> kAudioOnlyNames = {".aac", ".ac3", ".flac", ".mp2",
                                                       ".mp3", ".wav", ".wma"};
const std::vector<std::string_view> kPictureContainers = {".3gp", ".avi",  ".flv", ".hevc", ".mkv",
                                                          ".mp4", ".mpeg", ".mpg", ".mov",  ".ts",
                                                          ".vob", ".webm", ".wmv"};

bool IsAudioOnlyName(std::string_view name) {
  return std::find(kAudioOnlyNames.begin(), kAudioOnlyNames.end(), name) != kAudioOnlyNames.end();
}

// Checks caption, item count (caption excluded), first and last item.
void ExpectList(const List& list, std::string_view caption, std::size_t count,
                std::string_view first, std::string_view last, std::string_view where) {
  ASSERT_EQ(list.size(), count + 1) << where;
  EXPECT_EQ(list.front(), caption) << where;
  EXPECT_EQ(list[1], first) << where;
  EXPECT_EQ(list.back(), last) << where;
}

TEST(ContainerPresetsLayout, ContainerZeroAndBadArgumentsOfferOnlyNone) {
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    EXPECT_EQ(ContainerPreset(0, slot), List{"None"}) << slot;
  EXPECT_EQ(ContainerPreset(-1, kVideoCodecSlot), List{"None"});
  EXPECT_EQ(ContainerPreset(kConvertContainerCount, kVideoCodecSlot), List{"None"});
  EXPECT_EQ(ContainerPreset(ContainerIndex(".mp4"), kEasySlotCount), List{"None"});
  EXPECT_EQ(ContainerPreset(ContainerIndex(".mp4"), -1), List{"None"});
}

TEST(ContainerPresetsLayout, EveryContainerOffersBothStreamSlotsAndNoSpares) {
  for (int c = 1; c < kConvertContainerCount; ++c) {
    EXPECT_EQ(ContainerPreset(c, kVideoStreamSlot), (List{"Video Stream", "No Video"})) << c;
    EXPECT_EQ(ContainerPreset(c, kAudioStreamSlot), (List{"Audio Stream", "No Audio"})) << c;
    for (int spare : {kSpareSlot12, kSpareSlot13, kSpareSlot16, kSpareSlot18, kSpareSlot19})
      EXPECT_EQ(ContainerPreset(c, spare), List{"Empty"}) << c << " slot " << spare;
  }
}

TEST(ContainerPresetsLayout, EachSlotCarriesItsOwnCaptionOrEmpty) {
  const std::vector<std::set<std::string_view>> captions = {{"Video Stream"},
                                                            {"Video Codec"},
                                                            {"Target", "Preset"},
                                                            {"Profile"},
                                                            {"DAR"},
                                                            {"Width/Height"},
                                                            {"FPS"},
                                                            {"Quality"},
                                                            {"MaxBitrate"},
                                                            {"Bufsize"},
                                                            {"Audio Stream"},
                                                            {"Audio Codec"},
                                                            {},
                                                            {},
                                                            {"Bitrate"},
                                                            {"Sample Rate"},
                                                            {},
                                                            {"Channels"},
                                                            {},
                                                            {}};
  for (int c = 1; c < kConvertContainerCount; ++c)
    for (int slot = 0; slot < kEasySlotCount; ++slot) {
      const List list = ContainerPreset(c, slot);
      ASSERT_FALSE(list.empty());
      if (list.front() == "Empty") {
        EXPECT_EQ(list.size(), 1u);
      } else {
        EXPECT_TRUE(captions[slot].count(list.front())) << c << " slot " << slot;
        EXPECT_GT(list.size(), 1u) << c << " slot " << slot;
      }
    }
}

TEST(ContainerPresetsLayout, AudioOnlyContainersHaveNoPictureSlots) {
  for (int c = 0; c < kConvertContainerCount; ++c) {
    const std::string_view name = kContainerListB[c];
    EXPECT_EQ(AudioOnlyContainer(c), IsAudioOnlyName(name)) << name;
    if (!AudioOnlyContainer(c)) continue;
    for (int slot = kVideoCodecSlot; slot <= kBufsizeSlot; ++slot)
      EXPECT_EQ(ContainerPreset(c, slot), List{"Empty"}) << name << " slot " << slot;
  }
  EXPECT_FALSE(AudioOnlyContainer(-1));
  EXPECT_FALSE(AudioOnlyContainer(kConvertContainerCount));
}

TEST(ContainerPresetsVideo, CodecsPerContainer) {
  const std::vector<std::pair<std::string_view, List>> expected = {
      {".3gp", {"h264", "mpeg4"}},
      {".avi", {"h264", "mpeg2video", "mpeg4", "vp9"}},
      {".dv", {"dvvideo"}},
      {".flv", {"h264"}},
      {".hevc", {"hevc", "h264", "mpeg2video", "mpeg4"}},
      {".mkv", {"hevc", "h264", "h263p", "h263", "mpeg2video", "mpeg4", "vp9"}},
      {".mp4", {"hevc", "h264", "mpeg2video", "mpeg4"}},
      {".mpeg", {"mpeg1video"}},
      {".mpg", {"mpeg2video", "mpeg4"}},
      {".mov", {"h264", "h263p", "mpeg2video", "mpeg4"}},
      {".ts", {"hevc", "h264", "mpeg2video", "mpeg4"}},
      {".vob", {"hevc", "h264", "mpeg2video", "mpeg4"}},
      {".webm", {"hevc", "h264", "mpeg2video", "mpeg4", "vp9"}},
      {".wmv", {"h263p", "mpeg2video", "mpeg4", "vp9"}},
  };
  for (const auto& [name, codecs] : expected) {
    List list{"Video Codec"};
    list.insert(list.end(), codecs.begin(), codecs.end());
    EXPECT_EQ(Preset(name, kVideoCodecSlot), list) << name;
  }
}

TEST(ContainerPresetsVideo, PresetOrTargetSlot) {
  for (std::string_view name : {".flv", ".hevc", ".mp4", ".mov", ".ts", ".vob"})
    ExpectList(Preset(name, kTargetOrPresetSlot), "Preset", 9, "ultrafast", "veryslow", name);
  const List targets = Preset(".mpg", kTargetOrPresetSlot);
  ExpectList(targets, "Target", 10, "ntsc-dv", "pal-vcd", ".mpg");
  EXPECT_EQ(targets[6], "pal-dvd");
  for (std::string_view name : {".3gp", ".avi", ".dv", ".mkv", ".mpeg", ".webm", ".wmv"})
    EXPECT_EQ(Preset(name, kTargetOrPresetSlot), List{"Empty"}) << name;
}

TEST(ContainerPresetsVideo, ProfileSlotKeepsEachContainersSpelling) {
  EXPECT_EQ(Preset(".hevc", kProfileSlot),
            (List{"Profile", "Main", "Main_10", "Main_Still_Picture", "Rext"}));
  for (std::string_view name : {".mkv", ".webm"})
    EXPECT_EQ(Preset(name, kProfileSlot),
              (List{"Profile", "baseline", "main", "high", "high10", "high422", "high444"}))
        << name;
  for (std::string_view name : {".mp4", ".ts", ".vob"})
    EXPECT_EQ(Preset(name, kProfileSlot),
              (List{"Profile", "Baseline", "Main", "High", "High10", "High422", "High444"}))
        << name;
  for (std::string_view name : {".mpg", ".wmv"})
    EXPECT_EQ(Preset(name, kProfileSlot), (List{"Profile", "422", "High", "Spatially Scalable",
                                                "SNR_Scalable", "Main", "Simple"}))
        << name;
  for (std::string_view name : {".3gp", ".avi", ".dv", ".flv", ".mpeg", ".mov"})
    EXPECT_EQ(Preset(name, kProfileSlot), List{"Empty"}) << name;
}

TEST(ContainerPresetsVideo, PictureListsOfTheThirteenVideoContainers) {
  for (std::string_view name : kPictureContainers) {
    const List dar = Preset(name, kDarSlot);
    ExpectList(dar, "DAR", 8, "1/1", "21/9", name);
    const List sizes = Preset(name, kSizeSlot);
    ExpectList(sizes, "Width/Height", 65, "128/96", "15360/8640", name);
    EXPECT_EQ(sizes[33], "1280/720") << name;  // listed before 1200/900
    EXPECT_EQ(std::set<std::string_view>(sizes.begin(), sizes.end()).size(), sizes.size());
    const List fps = Preset(name, kFpsSlot);
    ExpectList(fps, "FPS", 23, "12/1", "300/1", name);
    EXPECT_EQ(fps[6], "24000/1001") << name;
    ExpectList(Preset(name, kMaxBitrateSlot), "MaxBitrate", 58, "200k", "300M", name);
    const List bufsizes = Preset(name, kBufsizeSlot);
    ExpectList(bufsizes, "Bufsize", 58, "50k", "60M", name);
    EXPECT_EQ(bufsizes[47], "19000k") << name;
    EXPECT_EQ(bufsizes[48], "20M") << name;
  }
}

TEST(ContainerPresetsVideo, DvHasItsOwnPictureListsAndNoRateControl) {
  EXPECT_EQ(Preset(".dv", kDarSlot), (List{"DAR", "4/3", "16/9"}));
  EXPECT_EQ(Preset(".dv", kSizeSlot),
            (List{"Width/Height", "720/480", "720/576", "960/720", "1280/1080", "1440/1080"}));
  EXPECT_EQ(Preset(".dv", kFpsSlot), (List{"FPS", "25/1", "30000/1001", "50/1", "60000/1001"}));
  for (int slot : {kTargetOrPresetSlot, kProfileSlot, kQualitySlot, kMaxBitrateSlot, kBufsizeSlot})
    EXPECT_EQ(Preset(".dv", slot), List{"Empty"}) << slot;
}

TEST(ContainerPresetsVideo, QualityIsQScaleOrCrfByContainer) {
  for (std::string_view name : {".avi", ".flv", ".mpeg", ".mpg", ".mov", ".ts", ".vob", ".wmv"})
    ExpectList(Preset(name, kQualitySlot), "Quality", 31, " -q:v 1", " -q:v 31", name);
  for (std::string_view name : {".hevc", ".mkv", ".mp4", ".webm"}) {
    const List list = Preset(name, kQualitySlot);
    ExpectList(list, "Quality", 50, " -crf 1", " -crf 50", name);
    EXPECT_EQ(list[20], " -crf 20");
  }
  EXPECT_EQ(Preset(".3gp", kQualitySlot), List{"Empty"});
}

TEST(ContainerPresetsAudio, CodecsPerContainer) {
  const List common = {"libmp3lame", "aac", "mp2", "ac3"};
  std::vector<std::pair<std::string_view, List>> expected = {
      {".3gp", {"aac", "amr_nb"}},
      {".aac", {"aac"}},
      {".ac3", {"ac3"}},
      {".dv", {"pcm_s16le"}},
      {".flac", {"flac"}},
      {".flv", {"libmp3lame", "aac"}},
      {".mov", {"libmp3lame", "aac"}},
      {".mp2", {"aac", "mp2", "ac3"}},
      {".mp3", {"libmp3lame"}},
      {".mpeg", {"libmp3lame", "mp2"}},
      {".wav", {"aac", "ac3", "libmp3lame", "mp2"}},
  };
  for (std::string_view name :
       {".avi", ".hevc", ".mkv", ".mp4", ".mpg", ".ts", ".vob", ".webm", ".wma", ".wmv"})
    expected.emplace_back(name, common);
  ASSERT_EQ(expected.size(), 21u);
  for (const auto& [name, codecs] : expected) {
    List list{"Audio Codec"};
    list.insert(list.end(), codecs.begin(), codecs.end());
    EXPECT_EQ(Preset(name, kAudioCodecSlot), list) << name;
  }
}

TEST(ContainerPresetsAudio, BitrateSampleRateAndChannelsPerContainer) {
  for (int c = 1; c < kConvertContainerCount; ++c) {
    const std::string_view name = kContainerListB[c];
    const List bitrates = ContainerPreset(c, kAudioBitrateSlot);
    const List rates = ContainerPreset(c, kSampleRateSlot);
    const List channels = ContainerPreset(c, kChannelsSlot);
    if (name == ".dv") {
      EXPECT_EQ(bitrates, List{"Empty"});
      EXPECT_EQ(rates, (List{"Sample Rate", "44100", "48000"}));
      EXPECT_EQ(channels, (List{"Channels", "2"}));
      continue;
    }
    const std::size_t bitrateCount = (name == ".3gp" || name == ".flv")    ? 6
                                     : (name == ".mp3" || name == ".mpeg") ? 7
                                                                           : 9;
    const std::string_view lastBitrate = bitrateCount == 6   ? "256000"
                                         : bitrateCount == 7 ? "320000"
                                                             : "448000";
    ExpectList(bitrates, "Bitrate", bitrateCount, "16000", lastBitrate, name);
    if (name == ".3gp")
      ExpectList(rates, "Sample Rate", 5, "8000", "48000", name);
    else
      EXPECT_EQ(rates, (List{"Sample Rate", "11025", "22050", "44100", "48000"})) << name;
    if (name == ".mp3")
      EXPECT_EQ(channels, (List{"Channels", "1", "2"}));
    else
      ExpectList(channels, "Channels", 8, "1", "8", name);
  }
}

TEST(ContainerPresetsCodecLists, QualityFollowsTheEncoderFamily) {
  for (std::string_view codec : {"h265", "HEVC", "h264"})
    ExpectList(*QualityListForCodec(codec), "Quality", 50, " -crf 1", " -crf 50", codec);
  for (std::string_view codec : {"mpeg2video", "mpeg4", "vp9", "h263", "H263P", "mpeg1video"})
    ExpectList(*QualityListForCodec(codec), "Quality", 31, " -q:v 1", " -q:v 31", codec);
  EXPECT_FALSE(QualityListForCodec("dvvideo").has_value());
  EXPECT_FALSE(QualityListForCodec("DVVIDEO").has_value());
}

TEST(ContainerPresetsCodecLists, ProfileFollowsTheCodecFamily) {
  EXPECT_EQ(*ProfileListForCodec("hevc"),
            (List{"Profile", "Main", "Main_10", "Main_Still_Picture", "Rext"}));
  EXPECT_EQ(*ProfileListForCodec("H265"), *ProfileListForCodec("hevc"));
  ExpectList(*ProfileListForCodec("h264"), "Profile", 6, "Baseline", "High444", "h264");
  ExpectList(*ProfileListForCodec("mpeg2video"), "Profile", 6, "422", "Simple", "mpeg2video");
  ExpectList(*ProfileListForCodec("mpeg4"), "Profile", 16, "Simple", "Advanced_Simple", "mpeg4");
  EXPECT_EQ(*ProfileListForCodec("vp9"), (List{"Profile", "0", "1", "2", "3"}));
  EXPECT_EQ(*ProfileListForCodec("h263"), List{"Empty"});
  EXPECT_EQ(*ProfileListForCodec("h263p"), List{"Empty"});
  EXPECT_FALSE(ProfileListForCodec("dvvideo").has_value());
  EXPECT_FALSE(ProfileListForCodec("mpeg1video").has_value());
}

}  // namespace
}  // namespace trellimux
