#include "preview/DisposablePictures.h"

namespace trellimux {
namespace {

constexpr std::string_view kStartCode("\0\0\1", 3);

// H.264 NAL unit types of a coded slice: non-IDR, data partition A, IDR
// (ITU-T H.264, table 7-1). Partitions B and C follow their A.
bool IsH264Slice(int nalType) { return nalType == 1 || nalType == 2 || nalType == 5; }

constexpr unsigned char kMpeg2PictureStart = 0x00;  // start code 00 00 01 00
constexpr int kMpeg2BPicture = 3;

// Whether the unit after a start code is a picture (slice) of `coding`,
// and whether that one is disposable.
struct Unit {
  bool picture = false;
  bool disposable = false;
};

Unit UnitAfterStartCode(std::string_view unit, VideoCoding coding) {
  if (unit.empty()) return {};
  const auto first = static_cast<unsigned char>(unit[0]);
  if (coding == VideoCoding::H264) {
    if (!IsH264Slice(first & 0x1f)) return {};
    return {true, (first >> 5 & 0x3) == 0};
  }
  // picture_header: temporal_reference (10 bits), picture_coding_type (3).
  if (first != kMpeg2PictureStart || unit.size() < 3) return {};
  return {true, (static_cast<unsigned char>(unit[2]) >> 3 & 0x7) == kMpeg2BPicture};
}

}  // namespace

VideoCoding VideoCodingNamed(std::string_view codecName) {
  if (codecName == "h264") return VideoCoding::H264;
  if (codecName == "mpeg2video") return VideoCoding::Mpeg2;
  return VideoCoding::Other;
}

bool IsDisposablePicture(std::string_view elementary, VideoCoding coding) {
  if (coding == VideoCoding::Other) return false;
  bool anyPicture = false;
  for (std::size_t at = elementary.find(kStartCode); at != std::string_view::npos;
       at = elementary.find(kStartCode, at + kStartCode.size())) {
    const Unit unit = UnitAfterStartCode(elementary.substr(at + kStartCode.size()), coding);
    if (!unit.picture) continue;
    if (!unit.disposable) return false;
    anyPicture = true;
  }
  return anyPicture;
}

}  // namespace trellimux
