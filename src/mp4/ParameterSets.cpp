#include "mp4/ParameterSets.h"

#include <algorithm>
#include <array>
#include <vector>

namespace trellimux {
namespace {

constexpr std::size_t kBoxHeader = 8;
// A visual sample entry's fields before its boxes (ISO/IEC 14496-12, 12.1.3).
constexpr std::size_t kVisualEntryFields = 78;
constexpr std::size_t kSampleDescriptionFields = 8;  // version, flags, entry count

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
         static_cast<unsigned char>(bytes[at + 3]);
}

void Write32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i) & 0xff);
}

struct Box {
  std::size_t at = 0;    // its first byte
  std::size_t size = 0;  // with its header
  std::string_view type;
};

// The boxes in [from, to) of `bytes`; nothing when one does not fit.
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

// The path of boxes from the movie box down to the avcC of the first avc1
// entry: each box's position, outermost first.
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

// An avcC's parts: its first five bytes, its SPS and PPS, and what follows.
struct Configuration {
  std::string head;
  std::vector<std::string> sequenceSets, pictureSets;
  std::string rest;
};

std::optional<Configuration> ReadConfiguration(std::string_view bytes) {
  if (bytes.size() < 7 || bytes[0] != 1) return std::nullopt;
  Configuration read;
  read.head = bytes.substr(0, 5);
  std::size_t at = 5;
  for (std::vector<std::string>* sets : {&read.sequenceSets, &read.pictureSets}) {
    if (at >= bytes.size()) return std::nullopt;
    const unsigned count =
        static_cast<unsigned char>(bytes[at++]) & (sets == &read.sequenceSets ? 0x1f : 0xff);
    for (unsigned i = 0; i < count; ++i) {
      if (at + 2 > bytes.size()) return std::nullopt;
      const std::size_t length = static_cast<std::size_t>(static_cast<unsigned char>(bytes[at]))
                                     << 8 |
                                 static_cast<unsigned char>(bytes[at + 1]);
      if (at + 2 + length > bytes.size()) return std::nullopt;
      sets->push_back(std::string(bytes.substr(at + 2, length)));
      at += 2 + length;
    }
  }
  read.rest = bytes.substr(at);
  return read;
}

std::string WriteConfiguration(const Configuration& configuration) {
  std::string bytes = configuration.head;
  bytes += static_cast<char>(0xe0 | configuration.sequenceSets.size());
  for (const std::vector<std::string>* sets :
       {&configuration.sequenceSets, &configuration.pictureSets}) {
    if (sets == &configuration.pictureSets) bytes += static_cast<char>(sets->size());
    for (const std::string& set : *sets) {
      bytes += static_cast<char>(set.size() >> 8 & 0xff);
      bytes += static_cast<char>(set.size() & 0xff);
      bytes += set;
    }
  }
  return bytes + configuration.rest;
}

}  // namespace

std::optional<MovieBox> ReadMovieBox(const FileBytesReader& read) {
  for (std::int64_t at = 0;;) {
    const std::string header = read(at, kBoxHeader);
    if (header.size() < kBoxHeader) return std::nullopt;
    std::uint64_t size = Read32(header, 0);
    if (size == 1) {  // a 64-bit size follows the type
      const std::string large = read(at + kBoxHeader, 8);
      if (large.size() < 8) return std::nullopt;
      size = static_cast<std::uint64_t>(Read32(large, 0)) << 32 | Read32(large, 4);
    }
    if (size < kBoxHeader) return std::nullopt;  // 0: to the end, which no moov is
    if (header.compare(4, 4, "moov") == 0) {
      MovieBox movie;
      movie.offset = at;
      movie.bytes = read(at, static_cast<std::size_t>(size));
      if (movie.bytes.size() != size) return std::nullopt;
      movie.last = read(at + static_cast<std::int64_t>(size), 1).empty();
      return movie;
    }
    at += static_cast<std::int64_t>(size);
  }
}

std::optional<std::string> FindAvcConfiguration(std::string_view movie) {
  const std::optional<std::vector<Box>> path = PathToConfiguration(movie);
  if (!path) return std::nullopt;
  const Box& box = path->back();
  return std::string(movie.substr(box.at + kBoxHeader, box.size - kBoxHeader));
}

std::optional<ParameterSets> ConfigurationSets(std::string_view configuration) {
  const std::optional<Configuration> read = ReadConfiguration(configuration);
  if (!read) return std::nullopt;
  return ParameterSets{read->sequenceSets, read->pictureSets};
}

ParameterSets ElementaryStreamSets(std::string_view elementary) {
  constexpr std::string_view kStartCode("\0\0\1", 3);
  ParameterSets sets;
  for (std::size_t at = elementary.find(kStartCode); at != std::string_view::npos;) {
    const std::size_t begin = at + kStartCode.size();
    const std::size_t end = elementary.find(kStartCode, begin);
    std::size_t unitEnd = end == std::string_view::npos ? elementary.size() : end;
    while (unitEnd > begin && elementary[unitEnd - 1] == '\0') --unitEnd;  // a 4-byte start code's
    if (begin < unitEnd) {
      const std::string unit(elementary.substr(begin, unitEnd - begin));
      const int type = static_cast<unsigned char>(unit[0]) & 0x1f;
      std::vector<std::string>* list = type == 7   ? &sets.sequence
                                       : type == 8 ? &sets.picture
                                                   : nullptr;
      if (list && std::ranges::find(*list, unit) == list->end()) list->push_back(unit);
    }
    at = end;
  }
  return sets;
}

std::optional<std::string> WithParameterSetsAdded(std::string_view movie,
                                                  const ParameterSets& added) {
  const std::optional<std::vector<Box>> path = PathToConfiguration(movie);
  if (!path) return std::nullopt;
  const Box& box = path->back();
  std::optional<Configuration> own =
      ReadConfiguration(movie.substr(box.at + kBoxHeader, box.size - kBoxHeader));
  if (!own) return std::nullopt;
  for (const auto& [to, from] : {std::pair{&own->sequenceSets, &added.sequence},
                                 std::pair{&own->pictureSets, &added.picture}})
    for (const std::string& set : *from)
      if (std::ranges::find(*to, set) == to->end()) to->push_back(set);
  if (own->sequenceSets.size() > 31 || own->pictureSets.size() > 255) return std::nullopt;
  const std::string content = WriteConfiguration(*own);
  const std::size_t grown = kBoxHeader + content.size() - box.size;
  std::string result(movie.substr(0, box.at + kBoxHeader));
  result += content;
  result += movie.substr(box.at + box.size);
  for (std::size_t i = 0; i + 1 < path->size(); ++i)
    Write32(result, (*path)[i].at, static_cast<std::uint32_t>((*path)[i].size + grown));
  Write32(result, box.at, static_cast<std::uint32_t>(kBoxHeader + content.size()));
  return result;
}

std::optional<std::string> MovieAvcConfiguration(const FileBytesReader& read) {
  const std::optional<MovieBox> movie = ReadMovieBox(read);
  return movie ? FindAvcConfiguration(movie->bytes) : std::nullopt;
}

std::size_t NalLengthBytes(std::string_view configuration) {
  return configuration.size() > 4 ? (static_cast<unsigned char>(configuration[4]) & 0x03) + 1 : 4;
}

std::string AnnexBUnits(std::string_view sample, std::size_t lengthBytes) {
  std::string units;
  for (std::size_t at = 0; at + lengthBytes <= sample.size();) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < lengthBytes; ++i)
      length = length << 8 | static_cast<unsigned char>(sample[at + i]);
    at += lengthBytes;
    units += std::string("\0\0\0\1", 4);
    units += sample.substr(at, std::min(length, sample.size() - at));
    at += length;
  }
  return units;
}

std::optional<MovieBox> CutMovieWithSourceSets(const FileBytesReader& readSource,
                                               const ParameterSets& pieceSets,
                                               const FileBytesReader& readCut) {
  const std::optional<std::string> configuration = MovieAvcConfiguration(readSource);
  std::optional<ParameterSets> sets =
      configuration ? ConfigurationSets(*configuration) : std::nullopt;
  std::optional<MovieBox> cut = ReadMovieBox(readCut);
  if (!sets || !cut || !cut->last) return std::nullopt;
  sets->sequence.insert(sets->sequence.end(), pieceSets.sequence.begin(), pieceSets.sequence.end());
  sets->picture.insert(sets->picture.end(), pieceSets.picture.begin(), pieceSets.picture.end());
  std::optional<std::string> grown = WithParameterSetsAdded(cut->bytes, *sets);
  if (!grown) return std::nullopt;
  cut->bytes = std::move(*grown);
  return cut;
}

}  // namespace trellimux
