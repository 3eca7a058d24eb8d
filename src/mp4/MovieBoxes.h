// The boxes of an MP4's movie box (ISO/IEC 14496-12), as the program's
// steps that rewrite a cut's movie box read and grow them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

inline constexpr std::size_t kBoxHeader = 8;

std::uint32_t Read32(std::string_view bytes, std::size_t at);
void Write32(std::string& bytes, std::size_t at, std::uint32_t value);

struct Box {
  std::size_t at = 0;    // its first byte
  std::size_t size = 0;  // with its header
  std::string_view type;
};

// The boxes in [from, to) of `bytes`; nothing when one does not fit.
std::optional<std::vector<Box>> Boxes(std::string_view bytes, std::size_t from, std::size_t to);

// The path of boxes from the movie box down to the avcC of the first avc1
// (or avc3) entry: each box's position, outermost first (moov, trak,
// mdia, minf, stbl, stsd, avc1, avcC).
std::optional<std::vector<Box>> PathToConfiguration(std::string_view movie);
inline constexpr std::size_t kPathMedia = 2, kPathSampleTable = 4;

// The first child of `box` of `type`; nothing when it has none.
std::optional<Box> ChildBox(std::string_view movie, const Box& box, std::string_view type);

// `movie` with the last box of `path` made a box of `type` holding
// `content`, and every box of the path around it grown or shrunk to match.
std::string WithBoxReplaced(std::string_view movie, std::span<const Box> path,
                            std::string_view type, std::string_view content);

}  // namespace trellimux
