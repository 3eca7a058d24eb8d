#include "concat/TransportNames.h"

#include <algorithm>
#include <array>
#include <span>

#include "text/AsciiText.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

// Containers of other kinds the program knows, never an MPEG-TS.
constexpr std::array<std::string_view, 20> kOtherExtensions = {
    ".3gp", ".aac", ".ac3", ".avi",  ".flac", ".flv", ".m4a", ".m4v",  ".mkv", ".mov",
    ".mp2", ".mp3", ".mp4", ".mpeg", ".mpg",  ".vob", ".wav", ".webm", ".wmv", ".mka"};

bool IsOneOf(std::string_view extension, std::span<const std::string_view> known) {
  return std::ranges::any_of(
      known, [extension](std::string_view k) { return EqualsIgnoringCase(k, extension); });
}

}  // namespace

bool MayHoldTransportPackets(std::string_view path) {
  std::string_view extension = PathExtension(path);
  // A numbered part is of its base's kind: "Film.mkv.001" is a Matroska
  // file's, "Film.ts.001" and "Film.001" may be MPEG-TS.
  if (extension.size() > 1 && AllAsciiDigits(extension.substr(1)))
    extension = PathExtension(path.substr(0, path.size() - extension.size()));
  return !IsOneOf(extension, kOtherExtensions);
}

}  // namespace trellimux
