#include "cmdline/ContainerPresets.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "cmdline/EasySlots.h"
#include "model/FixedItemLists.h"
#include "params/ValueLists.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

using Items = std::span<const std::string_view>;
using ContainerSet = std::uint32_t;  // bit i: container index i

static_assert(kContainerListB.size() == kConvertContainerCount);

// A set of containers named by their item text; an unknown name does not compile.
consteval ContainerSet In(std::initializer_list<std::string_view> names) {
  ContainerSet set = 0;
  for (std::string_view name : names) {
    int found = 0;
    for (int i = 1; i < kConvertContainerCount; ++i)
      if (kContainerListB[static_cast<std::size_t>(i)] == name) found = i;
    if (found == 0) throw "not a container of the Convert list";
    set |= ContainerSet{1} << found;
  }
  return set;
}

constexpr ContainerSet kEveryContainer = ((ContainerSet{1} << kConvertContainerCount) - 1) & ~1u;
constexpr ContainerSet kAudioOnly = In({".aac", ".ac3", ".flac", ".mp2", ".mp3", ".wav", ".wma"});
// The thirteen containers that share the full picture lists; ".dv" has its own.
constexpr ContainerSet kVideo = kEveryContainer & ~kAudioOnly & ~In({".dv"});

// clang-format off
constexpr std::string_view kNoVideo[] = {"No Video"};
constexpr std::string_view kNoAudio[] = {"No Audio"};

constexpr std::string_view k3gpVideoCodecs[] = {"h264", "mpeg4"};
constexpr std::string_view kAviVideoCodecs[] = {"h264", "mpeg2video", "mpeg4", "vp9"};
constexpr std::string_view kDvVideoCodecs[] = {"dvvideo"};
constexpr std::string_view kFlvVideoCodecs[] = {"h264"};
constexpr std::string_view kMp4VideoCodecs[] = {"hevc", "h264", "mpeg2video", "mpeg4"};
constexpr std::string_view kMkvVideoCodecs[] = {
    "hevc", "h264", "h263p", "h263", "mpeg2video", "mpeg4", "vp9"};
constexpr std::string_view kMpegVideoCodecs[] = {"mpeg1video"};
constexpr std::string_view kMpgVideoCodecs[] = {"mpeg2video", "mpeg4"};
constexpr std::string_view kMovVideoCodecs[] = {"h264", "h263p", "mpeg2video", "mpeg4"};
constexpr std::string_view kWebmVideoCodecs[] = {"hevc", "h264", "mpeg2video", "mpeg4", "vp9"};
constexpr std::string_view kWmvVideoCodecs[] = {"h263p", "mpeg2video", "mpeg4", "vp9"};

constexpr std::string_view kEncoderPresets[] = {
    "ultrafast", "superfast", "veryfast", "faster", "fast", "medium", "slow", "slower", "veryslow"};
constexpr std::string_view kTargets[] = {
    "ntsc-dv", "pal-dv", "ntsc-dv50", "pal-dv50", "ntsc-dvd", "pal-dvd", "ntsc-svcd", "pal-svcd",
    "ntsc-vcd", "pal-vcd"};

// .mkv and .webm offer the h264 names in lower case.
constexpr std::string_view kLowerCaseH264Profiles[] = {
    "baseline", "main", "high", "high10", "high422", "high444"};

constexpr std::string_view kDvAspectRatios[] = {"4/3", "16/9"};
constexpr std::string_view kDvSizes[] = {"720/480", "720/576", "960/720", "1280/1080", "1440/1080"};
constexpr std::string_view kSizes[] = {
    "128/96", "160/120", "160/144", "160/160", "176/144", "240/160", "256/192", "320/200",
    "320/240", "352/288", "360/240", "400/300", "480/270", "480/320", "480/360", "640/360",
    "640/480", "704/480", "704/576", "720/480", "720/576", "720/540", "768/576", "800/450",
    "800/480", "800/600", "960/540", "960/720", "1024/576", "1024/768", "1152/768", "1152/864",
    "1280/720", "1200/900", "1280/768", "1280/800", "1280/960", "1280/1024", "1400/1050",
    "1408/1152", "1440/960", "1600/900", "1600/1200", "1680/1050", "1920/1080", "1920/1200",
    "1920/1440", "2048/1152", "2048/1536", "2560/1080", "2560/1440", "2560/1600", "2560/2048",
    "2800/2100", "3200/1800", "3200/2400", "3440/1440", "3840/2160", "3840/1600", "4096/2304",
    "4096/3072", "5120/2880", "6400/4800", "7680/4320", "15360/8640"};
constexpr std::string_view kDvFrameRates[] = {"25/1", "30000/1001", "50/1", "60000/1001"};

constexpr std::string_view k3gpAudioCodecs[] = {"aac", "amr_nb"};
constexpr std::string_view kAacAudioCodecs[] = {"aac"};
constexpr std::string_view kAc3AudioCodecs[] = {"ac3"};
constexpr std::string_view kCommonAudioCodecs[] = {"libmp3lame", "aac", "mp2", "ac3"};
constexpr std::string_view kDvAudioCodecs[] = {"pcm_s16le"};
constexpr std::string_view kFlacAudioCodecs[] = {"flac"};
constexpr std::string_view kFlvAudioCodecs[] = {"libmp3lame", "aac"};
constexpr std::string_view kMp2AudioCodecs[] = {"aac", "mp2", "ac3"};
constexpr std::string_view kMp3AudioCodecs[] = {"libmp3lame"};
constexpr std::string_view kMpegAudioCodecs[] = {"libmp3lame", "mp2"};
constexpr std::string_view kWavAudioCodecs[] = {"aac", "ac3", "libmp3lame", "mp2"};

// From 8000 on; .3gp alone offers 8000, .dv only the two highest.
constexpr std::string_view kPresetSampleRates[] = {"8000", "11025", "22050", "44100", "48000"};
// clang-format on

// kAudioBitrates starts at 8000, which no preset offers.
constexpr Items kBitratesTo256k = Items(kAudioBitrates).subspan(1, 6);
constexpr Items kBitratesTo320k = Items(kAudioBitrates).subspan(1, 7);
constexpr Items kBitratesTo448k = Items(kAudioBitrates).subspan(1, 9);

// " -q:v 1" and the like: the Quality item is written into the command as it is.
class NumberedOptions {
 public:
  NumberedOptions(std::string_view option, int last) {
    for (int n = 1; n <= last; ++n) texts_.push_back(std::string(option) + std::to_string(n));
    views_.assign(texts_.begin(), texts_.end());  // texts_ no longer grows
  }
  Items items() const { return views_; }

 private:
  std::vector<std::string> texts_;
  std::vector<std::string_view> views_;
};

Items QScaleQualities() {
  static const NumberedOptions list(" -q:v ", 31);
  return list.items();
}

Items CrfQualities() {
  static const NumberedOptions list(" -crf ", 50);
  return list.items();
}

// One slot's list for a set of containers. For a (container, slot) pair the
// first matching entry counts; no entry means the slot is "Empty" there.
struct SlotPreset {
  int slot;
  std::string_view caption;
  ContainerSet containers;
  Items items;
};

const std::vector<SlotPreset>& SlotPresets() {
  static const std::vector<SlotPreset> presets = {
      {kVideoStreamSlot, "Video Stream", kEveryContainer, kNoVideo},

      {kVideoCodecSlot, "Video Codec", In({".3gp"}), k3gpVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".avi"}), kAviVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".dv"}), kDvVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".flv"}), kFlvVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".hevc", ".mp4", ".ts", ".vob"}), kMp4VideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".mkv"}), kMkvVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".mpeg"}), kMpegVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".mpg"}), kMpgVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".mov"}), kMovVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".webm"}), kWebmVideoCodecs},
      {kVideoCodecSlot, "Video Codec", In({".wmv"}), kWmvVideoCodecs},

      {kTargetOrPresetSlot, "Preset", In({".flv", ".hevc", ".mp4", ".mov", ".ts", ".vob"}),
       kEncoderPresets},
      {kTargetOrPresetSlot, "Target", In({".mpg"}), kTargets},

      {kProfileSlot, "Profile", In({".hevc"}), kHevcProfileNames},
      {kProfileSlot, "Profile", In({".mkv", ".webm"}), kLowerCaseH264Profiles},
      {kProfileSlot, "Profile", In({".mp4", ".ts", ".vob"}), kH264Profiles},
      {kProfileSlot, "Profile", In({".mpg", ".wmv"}), kMpeg2Profiles},

      {kDarSlot, "DAR", In({".dv"}), kDvAspectRatios},
      {kDarSlot, "DAR", kVideo, kDisplayAspectRatios},
      {kSizeSlot, "Width/Height", In({".dv"}), kDvSizes},
      {kSizeSlot, "Width/Height", kVideo, kSizes},
      {kFpsSlot, "FPS", In({".dv"}), kDvFrameRates},
      {kFpsSlot, "FPS", kVideo, kFrameRates},

      {kQualitySlot, "Quality",
       In({".avi", ".flv", ".mpeg", ".mpg", ".mov", ".ts", ".vob", ".wmv"}), QScaleQualities()},
      {kQualitySlot, "Quality", In({".hevc", ".mkv", ".mp4", ".webm"}), CrfQualities()},
      {kMaxBitrateSlot, "MaxBitrate", kVideo, kVideoBitrates},
      {kBufsizeSlot, "Bufsize", kVideo, kBufferSizes},

      {kAudioStreamSlot, "Audio Stream", kEveryContainer, kNoAudio},

      {kAudioCodecSlot, "Audio Codec", In({".3gp"}), k3gpAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".aac"}), kAacAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".ac3"}), kAc3AudioCodecs},
      {kAudioCodecSlot, "Audio Codec",
       In({".avi", ".hevc", ".mkv", ".mp4", ".mpg", ".ts", ".vob", ".webm", ".wma", ".wmv"}),
       kCommonAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".dv"}), kDvAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".flac"}), kFlacAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".flv", ".mov"}), kFlvAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".mp2"}), kMp2AudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".mp3"}), kMp3AudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".mpeg"}), kMpegAudioCodecs},
      {kAudioCodecSlot, "Audio Codec", In({".wav"}), kWavAudioCodecs},

      {kAudioBitrateSlot, "Bitrate", In({".3gp", ".flv"}), kBitratesTo256k},
      {kAudioBitrateSlot, "Bitrate", In({".mp3", ".mpeg"}), kBitratesTo320k},
      {kAudioBitrateSlot, "Bitrate", kEveryContainer & ~In({".dv"}), kBitratesTo448k},

      {kSampleRateSlot, "Sample Rate", In({".3gp"}), kPresetSampleRates},
      {kSampleRateSlot, "Sample Rate", In({".dv"}), Items(kPresetSampleRates).subspan(3)},
      {kSampleRateSlot, "Sample Rate", kEveryContainer, Items(kPresetSampleRates).subspan(1)},

      {kChannelsSlot, "Channels", In({".dv"}), Items(kChannelCounts).subspan(1, 1)},
      {kChannelsSlot, "Channels", In({".mp3"}), Items(kChannelCounts).first(2)},
      {kChannelsSlot, "Channels", kEveryContainer, Items(kChannelCounts).first(8)},
  };
  return presets;
}

std::vector<std::string_view> CaptionAndItems(std::string_view caption, Items items) {
  std::vector<std::string_view> list{caption};
  list.insert(list.end(), items.begin(), items.end());
  return list;
}

}  // namespace

std::vector<std::string_view> ContainerPreset(int container, int slot) {
  if (container <= 0 || container >= kConvertContainerCount || slot < 0 || slot >= kEasySlotCount)
    return {"None"};
  const ContainerSet bit = ContainerSet{1} << container;
  for (const SlotPreset& preset : SlotPresets())
    if (preset.slot == slot && (preset.containers & bit) != 0)
      return CaptionAndItems(preset.caption, preset.items);
  return {"Empty"};
}

bool AudioOnlyContainer(int container) {
  return container > 0 && container < kConvertContainerCount &&
         (kAudioOnly & (ContainerSet{1} << container)) != 0;
}

std::optional<std::vector<std::string_view>> QualityListForCodec(std::string_view codec) {
  if (EqualsIgnoringCase(codec, "dvvideo")) return std::nullopt;
  const bool crf = EqualsIgnoringCase(codec, "h265") || EqualsIgnoringCase(codec, "hevc") ||
                   EqualsIgnoringCase(codec, "h264");
  return CaptionAndItems("Quality", crf ? CrfQualities() : QScaleQualities());
}

std::optional<std::vector<std::string_view>> ProfileListForCodec(std::string_view codec) {
  if (EqualsIgnoringCase(codec, "h263") || EqualsIgnoringCase(codec, "h263p"))
    return std::vector<std::string_view>{"Empty"};
  const Items names = ProfileNamesForCodec(codec);
  if (names.empty()) return std::nullopt;
  return CaptionAndItems("Profile", names);
}

}  // namespace trellimux
