#include "cmdline/ProfileNames.h"

#include <array>

#include "cmdline/CommandText.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

// clang-format off
constexpr std::array<std::string_view, 3> kHevcCodecs = {"h265", "hevc", "libx265"};
constexpr std::array<ProfileName, 4> kHevcProfiles = {{
    {"Main", 1, "main"},
    {"Main_10", 2, "main10"},
    {"Main_Still_Picture", 3, "mainstillpicture"},
    {"Rext", 4, ""},  // no single encoder name: written as it stands
}};

constexpr std::array<std::string_view, 1> kMpeg2Codecs = {"mpeg2video"};
constexpr std::array<ProfileName, 6> kMpeg2Profiles = {{
    {"422", 0, ""}, {"High", 1, ""}, {"Spatially Scalable", 2, ""},
    {"SNR_Scalable", 3, ""}, {"Main", 4, ""}, {"Simple", 5, ""},
}};

constexpr std::array<std::string_view, 1> kMpeg4Codecs = {"mpeg4"};
constexpr std::array<ProfileName, 16> kMpeg4Profiles = {{
    {"Simple", 0, ""}, {"Simple_Scalable", 1, ""}, {"Core", 2, ""}, {"Main", 3, ""},
    {"N_Bit", 4, ""}, {"Scalable_Texture", 5, ""}, {"Simple_face_Animation", 6, ""},
    {"Basic_Animated_Texture", 7, ""}, {"Hybrid", 8, ""}, {"Advanced_Real_Time", 9, ""},
    {"Core_Scalable", 10, ""}, {"Advanced_Coding", 11, ""}, {"Advanced_Core", 12, ""},
    {"Advanced_Scalable_Texture", 13, ""}, {"Simple_Studio", 14, ""},
    {"Advanced_Simple", 15, ""},
}};

constexpr std::array<std::string_view, 1> kVp9Codecs = {"vp9"};
constexpr std::array<ProfileName, 4> kVp9Profiles = {{
    {"0", 0, ""}, {"1", 1, ""}, {"2", 2, ""}, {"3", 3, ""},
}};

constexpr std::array<ProfileFamily, 4> kFamilies = {{
    {kHevcCodecs, kHevcProfiles, true},
    {kMpeg2Codecs, kMpeg2Profiles, false},
    {kMpeg4Codecs, kMpeg4Profiles, false},
    {kVp9Codecs, kVp9Profiles, false},
}};

}  // namespace
// clang-format on

std::span<const ProfileFamily> ProfileFamilies() { return kFamilies; }

const ProfileFamily* FindProfileFamily(std::string_view codec) {
  for (const ProfileFamily& family : kFamilies)
    for (std::string_view name : family.codecs)
      if (EqualsIgnoringCase(name, codec)) return &family;
  return nullptr;
}

std::string MapProfileName(std::string_view codec, std::string_view profile) {
  if (const ProfileFamily* family = FindProfileFamily(codec)) {
    for (const ProfileName& entry : family->profiles) {
      if (!EqualsIgnoringCase(entry.name, profile)) continue;
      if (!family->takesEncoderNames) return FormatUnsigned(entry.number);
      return entry.encoderName.empty() ? std::string(profile) : std::string(entry.encoderName);
    }
  }
  return std::string(profile);
}

}  // namespace trellimux
