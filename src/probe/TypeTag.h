// The stream type tag: the first four bytes of a stream's codec_type text,
// lower-cased. Builders and value menus act on three of them; every other tag
// (data, attachment, unknown, none) marks a stream they leave alone.
#pragma once

#include <array>
#include <string_view>

namespace trellimux {

using TypeTag = std::array<char, 4>;  // all zero: no tag

enum class StreamKind { Other, Video, Audio, Subtitle };

// Each of the first four bytes ORed with 0x20; missing bytes stay zero.
constexpr TypeTag MakeTypeTag(std::string_view codecType) {
  TypeTag tag{};
  for (std::size_t i = 0; i < tag.size() && i < codecType.size(); ++i)
    tag[i] = static_cast<char>(codecType[i] | 0x20);
  return tag;
}

constexpr StreamKind KindOfTag(const TypeTag& tag) {
  const std::string_view text(tag.data(), tag.size());
  if (text == "vide") return StreamKind::Video;
  if (text == "audi") return StreamKind::Audio;
  if (text == "subt") return StreamKind::Subtitle;
  return StreamKind::Other;
}

}  // namespace trellimux
