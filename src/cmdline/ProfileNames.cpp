#include "cmdline/ProfileNames.h"

#include <array>

#include "cmdline/EncoderFacts.h"
#include "text/AsciiText.h"
#include "text/CommandText.h"

namespace trellimux {
namespace {

// clang-format off
// libx264 takes its profile names ignoring case (the .mkv menu offers them
// lower-cased): "ffmpeg -h encoder=libx264", x264's profile list.
constexpr std::array<std::string_view, 3> kH264Codecs = {"h264", "libx264", "libx264rgb"};
constexpr std::array<ProfileName, 6> kH264Profiles = {{
    {"Baseline", 66, "baseline"}, {"Main", 77, "main"}, {"High", 100, "high"},
    {"High10", 110, "high10"}, {"High422", 122, "high422"}, {"High444", 244, "high444"},
}};

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

constexpr std::array<ProfileFamily, 5> kFamilies = {{
    {kH264Codecs, kH264Profiles, true},
    {kHevcCodecs, kHevcProfiles, true},
    {kMpeg2Codecs, kMpeg2Profiles, false},
    {kMpeg4Codecs, kMpeg4Profiles, false},
    {kVp9Codecs, kVp9Profiles, false},
}};

// ffprobe prints profiles by libavcodec's display names (profiles.c); each
// stands for a name of its family above. "Code Scalable" is libavcodec's own
// spelling.
struct DisplayName {
  const ProfileFamily* family;
  std::string_view display;
  std::string_view name;
};
constexpr std::array<DisplayName, 32> kDisplayNames = {{
    {&kFamilies[0], "Constrained Baseline", "Baseline"},
    {&kFamilies[0], "High 10", "High10"}, {&kFamilies[0], "High 10 Intra", "High10"},
    {&kFamilies[0], "High 4:2:2", "High422"}, {&kFamilies[0], "High 4:2:2 Intra", "High422"},
    {&kFamilies[0], "High 4:4:4", "High444"},
    {&kFamilies[0], "High 4:4:4 Predictive", "High444"},
    {&kFamilies[0], "High 4:4:4 Intra", "High444"},
    {&kFamilies[1], "Main 10", "Main_10"},
    {&kFamilies[1], "Main Still Picture", "Main_Still_Picture"},
    {&kFamilies[2], "4:2:2", "422"}, {&kFamilies[2], "SNR Scalable", "SNR_Scalable"},
    {&kFamilies[3], "Simple Profile", "Simple"},
    {&kFamilies[3], "Simple Scalable Profile", "Simple_Scalable"},
    {&kFamilies[3], "Core Profile", "Core"}, {&kFamilies[3], "Main Profile", "Main"},
    {&kFamilies[3], "N-bit Profile", "N_Bit"},
    {&kFamilies[3], "Scalable Texture Profile", "Scalable_Texture"},
    {&kFamilies[3], "Simple Face Animation Profile", "Simple_face_Animation"},
    {&kFamilies[3], "Basic Animated Texture Profile", "Basic_Animated_Texture"},
    {&kFamilies[3], "Hybrid Profile", "Hybrid"},
    {&kFamilies[3], "Advanced Real Time Simple Profile", "Advanced_Real_Time"},
    {&kFamilies[3], "Code Scalable Profile", "Core_Scalable"},
    {&kFamilies[3], "Advanced Coding Profile", "Advanced_Coding"},
    {&kFamilies[3], "Advanced Core Profile", "Advanced_Core"},
    {&kFamilies[3], "Advanced Scalable Texture Profile", "Advanced_Scalable_Texture"},
    {&kFamilies[3], "Simple Studio Profile", "Simple_Studio"},
    {&kFamilies[3], "Advanced Simple Profile", "Advanced_Simple"},
    {&kFamilies[4], "Profile 0", "0"}, {&kFamilies[4], "Profile 1", "1"},
    {&kFamilies[4], "Profile 2", "2"}, {&kFamilies[4], "Profile 3", "3"},
}};

// The family's name for a displayed profile, or the profile itself.
std::string_view FamilyName(const ProfileFamily& family, std::string_view profile) {
  for (const DisplayName& entry : kDisplayNames)
    if (entry.family == &family && EqualsIgnoringCase(entry.display, profile)) return entry.name;
  return profile;
}

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
  if (profile.empty() || CodecWithoutProfiles(codec)) return {};
  const ProfileFamily* family = FindProfileFamily(codec);
  if (!family) {
    // An encoder we know nothing of gets a plain value as it stands; a text
    // with a blank is a display name no encoder takes.
    return profile.find(' ') == std::string_view::npos ? std::string(profile) : std::string();
  }
  const std::string_view name = FamilyName(*family, profile);
  for (const ProfileName& entry : family->profiles) {
    const bool byNumber = !family->takesEncoderNames && name == FormatUnsigned(entry.number);
    // A value typed in the encoder's own spelling ("main10") is one it takes.
    const bool byEncoderName = family->takesEncoderNames && !entry.encoderName.empty() &&
                               EqualsIgnoringCase(entry.encoderName, name);
    if (!EqualsIgnoringCase(entry.name, name) && !byNumber && !byEncoderName) continue;
    if (!family->takesEncoderNames) return FormatUnsigned(entry.number);
    return std::string(entry.encoderName);  // empty: the encoder has no such profile
  }
  return {};  // no spelling for this encoder
}

}  // namespace trellimux
