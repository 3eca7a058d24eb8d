#include "params/ValueLists.h"

#include "text/AsciiText.h"

namespace trellimux {

std::span<const std::string_view> ProfileNamesForCodec(std::string_view codec) {
  if (EqualsIgnoringCase(codec, "h264")) return kH264Profiles;
  if (EqualsIgnoringCase(codec, "h265") || EqualsIgnoringCase(codec, "hevc"))
    return kHevcProfileNames;
  if (EqualsIgnoringCase(codec, "mpeg2video")) return kMpeg2Profiles;
  if (EqualsIgnoringCase(codec, "mpeg4")) return kMpeg4Profiles;
  if (EqualsIgnoringCase(codec, "vp9")) return kVp9Profiles;
  return {};
}

}  // namespace trellimux
