#include "mp4/MovieBoxes.h"

#include <array>
#include <functional>

namespace trellimux {
namespace {

// A visual sample entry's fields before its boxes (ISO/IEC 14496-12, 12.1.3).
constexpr std::size_t kVisualEntryFields = 78;
constexpr std::size_t kSampleDescriptionFields = 8;  // version, flags, entry count

}  // namespace

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
         static_cast<unsigned char>(bytes[at + 3]);
}

void Write32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i) & 0xff);
}

std::optional<std::vector<Box>> Boxes(std::string_view bytes, std::size_t from, std::size_t to) {
  std::vector<Box> boxes;
  while (from + kBoxHeader <= to) {
    const std::size_t size = Read32(bytes, from);
    if (size < kBoxHeader || from + size > to) return std::nullopt;  // 64-bit sizes too
    boxes.push_back({from, size, bytes.substr(from + 4, 4)});
    from += size;
  }
  return boxes;
}

std::optional<std::vector<Box>> PathToConfiguration(std::string_view movie) {
  const std::optional<std::vector<Box>> top = Boxes(movie, 0, movie.size());
  if (!top || top->size() != 1 || top->front().type != "moov") return std::nullopt;
  std::vector<Box> path = {top->front()};
  // Down through the containers, trying each track.
  const std::function<bool(const Box&, std::size_t)> descend = [&](const Box& box,
                                                                   std::size_t depth) -> bool {
    static constexpr std::array<std::string_view, 5> kChain = {"trak", "mdia", "minf", "stbl",
                                                               "stsd"};
    std::size_t childrenAt = box.at + kBoxHeader;
    if (box.type == "stsd") childrenAt += kSampleDescriptionFields;
    if (box.type == "avc1" || box.type == "avc3") childrenAt += kVisualEntryFields;
    const std::optional<std::vector<Box>> children = Boxes(movie, childrenAt, box.at + box.size);
    if (!children) return false;
    for (const Box& child : *children) {
      const bool wanted = depth < kChain.size()    ? child.type == kChain[depth]
                          : depth == kChain.size() ? (child.type == "avc1" || child.type == "avc3")
                                                   : child.type == "avcC";
      if (!wanted) continue;
      path.push_back(child);
      if (child.type == "avcC" || descend(child, depth + 1)) return true;
      path.pop_back();
    }
    return false;
  };
  if (!descend(path.front(), 0)) return std::nullopt;
  return path;
}

std::optional<Box> ChildBox(std::string_view movie, const Box& box, std::string_view type) {
  const std::optional<std::vector<Box>> children =
      Boxes(movie, box.at + kBoxHeader, box.at + box.size);
  if (!children) return std::nullopt;
  for (const Box& child : *children)
    if (child.type == type) return child;
  return std::nullopt;
}

std::string WithBoxReplaced(std::string_view movie, std::span<const Box> path,
                            std::string_view type, std::string_view content) {
  const Box& box = path.back();
  const std::ptrdiff_t grown = static_cast<std::ptrdiff_t>(kBoxHeader + content.size()) -
                               static_cast<std::ptrdiff_t>(box.size);
  std::string result(movie.substr(0, box.at));
  result += std::string(kBoxHeader, '\0');
  Write32(result, box.at, static_cast<std::uint32_t>(kBoxHeader + content.size()));
  result.replace(box.at + 4, 4, type);
  result += content;
  result += movie.substr(box.at + box.size);
  for (std::size_t i = 0; i + 1 < path.size(); ++i)
    Write32(result, path[i].at, static_cast<std::uint32_t>(path[i].size + grown));
  return result;
}

}  // namespace trellimux
