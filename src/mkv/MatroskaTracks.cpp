#include "mkv/MatroskaTracks.h"

namespace trellimux {
namespace {

constexpr std::uint64_t kEbmlHeaderId = 0x1A45DFA3;
constexpr std::uint64_t kSegmentId = 0x18538067;
constexpr std::uint64_t kTracksId = 0x1654AE6B;
constexpr std::uint64_t kClusterId = 0x1F43B675;
constexpr std::uint64_t kTrackEntryId = 0xAE;
constexpr std::uint64_t kTrackNumberId = 0xD7;
constexpr std::uint64_t kTrackTypeId = 0x83;
constexpr std::uint64_t kCodecIdId = 0x86;
constexpr std::uint64_t kCodecPrivateId = 0x63A2;

constexpr std::string_view kAvcCodecId = "V_MPEG4/ISO/AVC";
// An element's header: an id of up to 4 bytes, a size of up to 8.
constexpr std::size_t kHeaderBytes = 12;
// More than any track list holds; a larger one is not read.
constexpr std::uint64_t kLargestTracks = std::uint64_t{16} << 20;
// Elements before the tracks (seek heads, information, void space, tags).
constexpr int kMostElementsBefore = 256;

struct Vint {
  std::uint64_t value = 0;
  std::size_t length = 0;
  bool allOnes = false;  // a size so is "unknown"
};

// The variable-length integer at `at`: an id keeps its length marker, a
// size does not.
std::optional<Vint> ReadVint(std::string_view bytes, std::size_t at, bool keepMarker,
                             std::size_t longest) {
  if (at >= bytes.size()) return std::nullopt;
  const auto first = static_cast<unsigned char>(bytes[at]);
  std::size_t length = 1;
  while (length <= longest && !(first & (0x80 >> (length - 1)))) ++length;
  if (length > longest || at + length > bytes.size()) return std::nullopt;
  Vint vint{keepMarker ? first : first & (0xffu >> length), length, false};
  for (std::size_t i = 1; i < length; ++i)
    vint.value = vint.value << 8 | static_cast<unsigned char>(bytes[at + i]);
  vint.allOnes = !keepMarker && vint.value == (std::uint64_t{1} << (7 * length)) - 1;
  return vint;
}

struct Element {
  std::uint64_t id = 0;
  std::size_t headerBytes = 0;
  std::optional<std::uint64_t> size;  // none when unknown
};

std::optional<Element> ReadHeader(std::string_view bytes, std::size_t at = 0) {
  const std::optional<Vint> id = ReadVint(bytes, at, true, 4);
  if (!id) return std::nullopt;
  const std::optional<Vint> size = ReadVint(bytes, at + id->length, false, 8);
  if (!size) return std::nullopt;
  Element element{id->value, id->length + size->length, std::nullopt};
  if (!size->allOnes) element.size = size->value;
  return element;
}

// The children of an element whose content is `bytes`: each one's id and
// content; nothing when one does not fit.
std::optional<std::vector<std::pair<std::uint64_t, std::string_view>>> Children(
    std::string_view bytes) {
  std::vector<std::pair<std::uint64_t, std::string_view>> children;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::optional<Element> element = ReadHeader(bytes, at);
    if (!element || !element->size || *element->size > bytes.size() - at - element->headerBytes)
      return std::nullopt;
    children.emplace_back(element->id, bytes.substr(at + element->headerBytes, *element->size));
    at += element->headerBytes + *element->size;
  }
  return children;
}

std::uint64_t UnsignedValue(std::string_view bytes) {
  std::uint64_t value = 0;
  for (const char byte : bytes.substr(0, 8)) value = value << 8 | static_cast<unsigned char>(byte);
  return value;
}

std::vector<MatroskaTrack> ParseTracks(std::string_view tracks) {
  const auto entries = Children(tracks);
  if (!entries) return {};
  std::vector<MatroskaTrack> result;
  for (const auto& [id, entry] : *entries) {
    if (id != kTrackEntryId) continue;
    const auto fields = Children(entry);
    if (!fields) return {};
    MatroskaTrack track;
    for (const auto& [field, value] : *fields) {
      if (field == kTrackNumberId) track.number = UnsignedValue(value);
      if (field == kTrackTypeId) track.type = UnsignedValue(value);
      if (field == kCodecIdId) track.codecId = std::string(value.substr(0, value.find('\0')));
      if (field == kCodecPrivateId) track.codecPrivate = std::string(value);
    }
    result.push_back(std::move(track));
  }
  return result;
}

}  // namespace

std::vector<MatroskaTrack> ReadMatroskaTracks(const FileBytesReader& read) {
  const std::optional<Element> header = ReadHeader(read(0, kHeaderBytes));
  if (!header || header->id != kEbmlHeaderId || !header->size) return {};
  auto at = static_cast<std::int64_t>(header->headerBytes + *header->size);
  const std::optional<Element> segment = ReadHeader(read(at, kHeaderBytes));
  if (!segment || segment->id != kSegmentId) return {};
  at += static_cast<std::int64_t>(segment->headerBytes);
  for (int i = 0; i < kMostElementsBefore; ++i) {
    const std::optional<Element> element = ReadHeader(read(at, kHeaderBytes));
    if (!element || !element->size || element->id == kClusterId) return {};
    at += static_cast<std::int64_t>(element->headerBytes);
    if (element->id == kTracksId) {
      if (*element->size > kLargestTracks) return {};
      const std::string tracks = read(at, static_cast<std::size_t>(*element->size));
      if (tracks.size() != *element->size) return {};
      return ParseTracks(tracks);
    }
    at += static_cast<std::int64_t>(*element->size);
  }
  return {};
}

std::optional<MatroskaTrack> MatroskaAvcTrack(const FileBytesReader& read) {
  std::optional<MatroskaTrack> found;
  for (MatroskaTrack& track : ReadMatroskaTracks(read)) {
    if (track.codecId != kAvcCodecId) continue;
    if (found) return std::nullopt;
    found = std::move(track);
  }
  return found;
}

std::optional<std::string_view> MatroskaBlockFrame(std::string_view block, std::uint64_t track) {
  const std::optional<Vint> number = ReadVint(block, 0, false, 8);
  constexpr std::size_t kTimeAndFlags = 3;
  constexpr unsigned kLacing = 0x06;
  if (!number || number->value != track || block.size() < number->length + kTimeAndFlags)
    return std::nullopt;
  if (static_cast<unsigned char>(block[number->length + 2]) & kLacing) return std::nullopt;
  return block.substr(number->length + kTimeAndFlags);
}

}  // namespace trellimux
