// The colours of static-type controls (statics, group boxes, radio buttons,
// read-only edit boxes) that are drawn over the program's own textures.
#pragma once

#include <cstdint>
#include <optional>

namespace trellimux {

enum class TextureBrush { Background, Panel, Title };

struct StaticColours {
  std::uint32_t text;  // 0x00BBGGRR, as the platform's colour values
  TextureBrush brush;  // drawn behind the transparent text background
};

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The colours of a control, or nullopt for the platform's defaults.
std::optional<StaticColours> StaticColoursOf(int controlId);

}  // namespace trellimux
