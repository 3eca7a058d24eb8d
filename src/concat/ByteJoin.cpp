#include "concat/ByteJoin.h"

#include <algorithm>
#include <array>

#include "concat/ConcatCommand.h"
#include "text/AsciiText.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

// Measured with ffmpeg 5.1: two 1 s parts made by ffmpeg from lavfi sources,
// joined with `cat`, the joined file decoded by `ffmpeg -i joined -f null -`.
// These decoded only the first second (AVI: ffprobe reports the first part's
// 1.04 s, its header and index covering only that part). Whole: .aac (ADTS),
// .ac3, .hevc, .mp2, .mp3, .mpeg, .mpg, .vob, .ts, .m2ts, .mts.
constexpr std::array<std::string_view, 11> kFirstPartOnly = {
    ".3gp", ".avi", ".flac", ".flv", ".m4v", ".mkv", ".mov", ".mp4", ".wav", ".webm", ".wmv"};

}  // namespace

bool ByteJoinPlaysFirstPartOnly(std::string_view path) {
  const std::string_view extension = PathExtension(path);
  return std::ranges::any_of(kFirstPartOnly, [extension](std::string_view known) {
    return EqualsIgnoringCase(known, extension);
  });
}

bool AnyByteJoinPlaysFirstPartOnly(std::span<const std::string> paths) {
  return std::ranges::any_of(
      paths, [](const std::string& path) { return ByteJoinPlaysFirstPartOnly(path); });
}

bool JoinsByteByByte(int concatMode) {
  return concatMode == kFileConcat || concatMode == kWindowsFileConcat;
}

}  // namespace trellimux
