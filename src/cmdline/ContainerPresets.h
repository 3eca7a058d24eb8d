// The easy-mode presets: for each output container of the Convert page and
// each slot, the list that the slot offers, caption first.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace trellimux {

// Items of the Convert container list (kContainerListB); item 0 is the
// caption "Container".
inline constexpr int kConvertContainerCount = 22;

// The preset list of a container's slot, caption first. Container 0 gives
// {"None"} for every slot; a slot the container does not use gives {"Empty"}.
// The two stream slots give only their two fixed items ("Video Stream",
// "No Video" / "Audio Stream", "No Audio"); the source streams are added when
// the lists are filled. Out-of-range arguments give {"None"}.
std::vector<std::string_view> ContainerPreset(int container, int slot);

// ".aac", ".ac3", ".flac", ".mp2", ".mp3", ".wav" and ".wma" hold no video.
bool AudioOnlyContainer(int container);

// The Quality and Profile lists once a video codec is chosen (ASCII case
// ignored), caption first; nullopt keeps the slot's list as it is
// ("dvvideo" for both, any codec without a profile family for Profile).
std::optional<std::vector<std::string_view>> QualityListForCodec(std::string_view codec);
std::optional<std::vector<std::string_view>> ProfileListForCodec(std::string_view codec);

}  // namespace trellimux
