// Profile names as the Profile column and its value menus show them, and the
// value each encoder family takes for them on the command line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace trellimux {

struct ProfileName {
  std::string_view name;         // as shown, matched ignoring ASCII case
  std::uint32_t number;          // FFmpeg's profile number
  std::string_view encoderName;  // name-taking families: the encoder's own name
};

struct ProfileFamily {
  std::span<const std::string_view> codecs;  // matched ignoring ASCII case
  std::span<const ProfileName> profiles;     // in menu order
  // The HEVC and H.264 encoders refuse numbers ("Invalid or incompatible
  // profile set") and take their own names; the other families take numbers.
  bool takesEncoderNames;
};

std::span<const ProfileFamily> ProfileFamilies();

// The family whose codec list holds `codec`, or nullptr.
const ProfileFamily* FindProfileFamily(std::string_view codec);

// The value to write for `profile` when encoding with `codec`: the family's
// number (or encoder name) for a name of its menu, ffprobe's display name of
// one, or the encoder's own name typed in. Left out (empty) when the encoder
// has no spelling for it, for codecs without profiles, and for a text with a
// blank that no family knows; a plain value for an unknown or empty codec is
// written as it stands.
std::string MapProfileName(std::string_view codec, std::string_view profile);

}  // namespace trellimux
