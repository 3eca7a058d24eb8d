#include "mp4/DecodingTimes.h"

#include <map>
#include <vector>

#include "mp4/MovieBoxes.h"

namespace trellimux {
namespace {

constexpr std::size_t kFullBoxFields = 4;  // version and flags
constexpr std::size_t kEntriesAt = kBoxHeader + kFullBoxFields + 4;

// A time-to-sample or composition-offset box's entries, one value per sample.
std::optional<std::vector<std::uint32_t>> SampleValues(std::string_view movie, const Box& box) {
  if (box.size < kEntriesAt) return std::nullopt;
  const std::uint32_t entries = Read32(movie, box.at + kEntriesAt - 4);
  if (entries > (box.size - kEntriesAt) / 8) return std::nullopt;
  std::vector<std::uint32_t> values;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t at = box.at + kEntriesAt + 8 * i;
    const std::uint32_t count = Read32(movie, at);
    if (count > (std::size_t{1} << 24)) return std::nullopt;  // more samples than any cut
    values.insert(values.end(), count, Read32(movie, at + 4));
  }
  return values;
}

// The box's content again: its version and flags, then `values` run by run.
std::string SampleValuesContent(std::string_view movie, const Box& box,
                                const std::vector<std::uint32_t>& values) {
  std::string content(movie.substr(box.at + kBoxHeader, kFullBoxFields));
  std::string entries;
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    ++count;
    if (i + 1 < values.size() && values[i + 1] == values[i]) continue;
    std::string entry(8, '\0');
    Write32(entry, 0, count);
    Write32(entry, 4, values[i]);
    entries += entry;
    count = 0;
  }
  std::string header(4, '\0');
  Write32(header, 0, static_cast<std::uint32_t>(entries.size() / 8));
  return content + header + entries;
}

// The path to the sample table's `type` box; nothing when it has none.
std::optional<std::vector<Box>> PathToTableBox(std::string_view movie, std::string_view type) {
  std::optional<std::vector<Box>> path = PathToConfiguration(movie);
  if (!path) return std::nullopt;
  path->resize(kPathSampleTable + 1);
  const std::optional<Box> box = ChildBox(movie, path->back(), type);
  if (!box) return std::nullopt;
  path->push_back(*box);
  return path;
}

}  // namespace

std::optional<std::string> WithoutDecodingGaps(std::string_view movie) {
  const std::optional<std::vector<Box>> steps = PathToTableBox(movie, "stts");
  if (!steps) return std::nullopt;
  const std::optional<std::vector<Box>> offsets = PathToTableBox(movie, "ctts");
  if (!offsets) return std::string(movie);
  std::optional<std::vector<std::uint32_t>> deltas = SampleValues(movie, steps->back());
  std::optional<std::vector<std::uint32_t>> shown = SampleValues(movie, offsets->back());
  if (!deltas || !shown || deltas->size() != shown->size()) return std::nullopt;
  std::map<std::uint32_t, std::size_t> counts;
  for (const std::uint32_t delta : *deltas) ++counts[delta];
  std::uint32_t step = 0;
  std::size_t most = 0;
  for (const auto& [delta, count] : counts)
    if (count > most) std::tie(step, most) = std::pair{delta, count};
  std::uint64_t moved = 0;
  for (std::size_t i = 0; i < deltas->size(); ++i) {
    (*shown)[i] += static_cast<std::uint32_t>(moved);
    if ((*deltas)[i] <= step) continue;
    moved += (*deltas)[i] - step;
    (*deltas)[i] = step;
  }
  if (moved == 0) return std::string(movie);
  std::string result =
      WithBoxReplaced(movie, *steps, "stts", SampleValuesContent(movie, steps->back(), *deltas));
  const std::optional<std::vector<Box>> grownOffsets = PathToTableBox(result, "ctts");
  if (!grownOffsets) return std::nullopt;
  result = WithBoxReplaced(result, *grownOffsets, "ctts",
                           SampleValuesContent(result, grownOffsets->back(), *shown));
  // The media header's duration: 32 bits after version 0's three fields,
  // 64 after version 1's.
  const std::optional<std::vector<Box>> path = PathToConfiguration(result);
  const std::optional<Box> header =
      path ? ChildBox(result, (*path)[kPathMedia], "mdhd") : std::nullopt;
  if (!header) return std::nullopt;
  const std::size_t fields = header->at + kBoxHeader;
  const bool wide = result[fields] == 1;
  const std::size_t durationAt = fields + kFullBoxFields + (wide ? 20 : 12);
  if (durationAt + (wide ? 8 : 4) > header->at + header->size) return std::nullopt;
  std::uint64_t duration = Read32(result, durationAt);
  if (wide) duration = duration << 32 | Read32(result, durationAt + 4);
  duration = duration > moved ? duration - moved : 0;
  if (wide) {
    Write32(result, durationAt, static_cast<std::uint32_t>(duration >> 32));
    Write32(result, durationAt + 4, static_cast<std::uint32_t>(duration));
  } else {
    Write32(result, durationAt, static_cast<std::uint32_t>(duration));
  }
  return result;
}

}  // namespace trellimux
