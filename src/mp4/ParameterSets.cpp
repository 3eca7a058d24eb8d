#include "mp4/ParameterSets.h"

#include <algorithm>
#include <array>
#include <vector>

#include "mp4/DecodingTimes.h"
#include "mp4/MovieBoxes.h"

namespace trellimux {
namespace {

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

void AddNewSets(ParameterSets& sets, const ParameterSets& more) {
  for (const auto& [to, from] :
       {std::pair{&sets.sequence, &more.sequence}, std::pair{&sets.picture, &more.picture}})
    for (const std::string& set : *from)
      if (std::ranges::find(*to, set) == to->end()) to->push_back(set);
}

std::optional<std::string> WithParameterSetsAdded(std::string_view movie,
                                                  const ParameterSets& added) {
  const std::optional<std::vector<Box>> path = PathToConfiguration(movie);
  if (!path) return std::nullopt;
  const Box& box = path->back();
  std::optional<Configuration> own =
      ReadConfiguration(movie.substr(box.at + kBoxHeader, box.size - kBoxHeader));
  if (!own) return std::nullopt;
  ParameterSets sets{std::move(own->sequenceSets), std::move(own->pictureSets)};
  AddNewSets(sets, added);
  own->sequenceSets = std::move(sets.sequence);
  own->pictureSets = std::move(sets.picture);
  if (own->sequenceSets.size() > 31 || own->pictureSets.size() > 255) return std::nullopt;
  return WithBoxReplaced(movie, *path, "avcC", WriteConfiguration(*own));
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

std::optional<MovieBox> CutMovieWithSourceSets(std::string_view sourceConfiguration,
                                               const ParameterSets& pieceSets,
                                               const FileBytesReader& readCut) {
  std::optional<ParameterSets> sets = ConfigurationSets(sourceConfiguration);
  std::optional<MovieBox> cut = ReadMovieBox(readCut);
  if (!sets || !cut || !cut->last) return std::nullopt;
  sets->sequence.insert(sets->sequence.end(), pieceSets.sequence.begin(), pieceSets.sequence.end());
  sets->picture.insert(sets->picture.end(), pieceSets.picture.begin(), pieceSets.picture.end());
  std::optional<std::string> grown = WithParameterSetsAdded(cut->bytes, *sets);
  if (grown) grown = WithoutDecodingGaps(*grown);
  if (!grown) return std::nullopt;
  cut->bytes = std::move(*grown);
  return cut;
}

}  // namespace trellimux
