// The units a video stream's coded bytes are made of, each after a start
// code (00 00 01): H.264 NAL units, MPEG-2 headers. What the preview reads
// in a picture (DisposablePictures, KeyPictures) is read from these.
#pragma once

#include <optional>
#include <string_view>

namespace trellimux {

inline constexpr std::string_view kCodedUnitStart("\0\0\1", 3);

// Calls `visit` with each unit of `elementary`, from after its start code
// up to the next start code, until `visit` returns false.
template <typename Visit>
void VisitCodedUnits(std::string_view elementary, Visit visit) {
  for (std::size_t at = elementary.find(kCodedUnitStart); at != std::string_view::npos;) {
    const std::size_t begin = at + kCodedUnitStart.size();
    at = elementary.find(kCodedUnitStart, begin);
    if (!visit(elementary.substr(begin, at == std::string_view::npos ? at : at - begin))) return;
  }
}

// H.264 NAL unit types (ITU-T H.264, table 7-1). Slice data partitions B
// and C follow their A.
inline constexpr int kH264Slice = 1;
inline constexpr int kH264SlicePartitionA = 2;
inline constexpr int kH264IdrSlice = 5;
inline constexpr int kH264Sei = 6;

// The NAL unit's type; -1 for an empty unit.
inline int H264NalType(std::string_view unit) {
  return unit.empty() ? -1 : static_cast<unsigned char>(unit[0]) & 0x1f;
}
// Whether it is a coded slice of a picture.
inline bool IsH264Slice(int nalType) {
  return nalType == kH264Slice || nalType == kH264SlicePartitionA || nalType == kH264IdrSlice;
}

// MPEG-2 video's picture_coding_type (ISO/IEC 13818-2, 6.3.9).
inline constexpr int kMpeg2IPicture = 1;
inline constexpr int kMpeg2BPicture = 3;

// The picture_coding_type of a unit that is a picture header (start code
// 00 00 01 00: temporal_reference, 10 bits, then the type, 3); nothing for
// any other unit.
inline std::optional<int> Mpeg2PictureCodingType(std::string_view unit) {
  if (unit.size() < 3 || unit[0] != '\0') return std::nullopt;
  return static_cast<unsigned char>(unit[2]) >> 3 & 0x7;
}

}  // namespace trellimux
