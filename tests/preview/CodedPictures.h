// The start of coded pictures for the tests of what the preview reads in
// them: H.264 NAL units and MPEG-2 picture headers, a few bytes each.
#pragma once

#include <string>
#include <string_view>

namespace trellimux::test {

inline std::string Unit(std::string_view bytes) {
  return std::string("\0\0\1", 3) + std::string(bytes);
}

// H.264 NAL units: the header byte (nal_ref_idc, type) and a little slice.
inline const std::string kAccessUnitDelimiter = std::string(1, '\0') + Unit("\x09\xf0");
inline const std::string kSei = Unit("\x06\x05\x10");
inline std::string Slice(int refIdc, int type) {
  return Unit(std::string(1, static_cast<char>(refIdc << 5 | type)) + "\x88\x84\x21");
}

// An MPEG-2 picture header of a picture_coding_type, with a slice after it.
inline std::string Mpeg2Picture(int codingType) {
  return Unit(std::string("\x00\x40", 2) + static_cast<char>(codingType << 3 | 0x7) + "\xff\xf8") +
         Unit("\x01\x12\x34");
}

}  // namespace trellimux::test
