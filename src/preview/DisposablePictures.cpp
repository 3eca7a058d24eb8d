#include "preview/DisposablePictures.h"

#include "preview/CodedUnits.h"

namespace trellimux {

VideoCoding VideoCodingNamed(std::string_view codecName) {
  if (codecName == "h264") return VideoCoding::H264;
  if (codecName == "mpeg2video") return VideoCoding::Mpeg2;
  return VideoCoding::Other;
}

bool IsDisposablePicture(std::string_view elementary, VideoCoding coding) {
  if (coding == VideoCoding::Other) return false;
  bool anyPicture = false, anyKept = false;
  VisitCodedUnits(elementary, [&](std::string_view unit) {
    std::optional<bool> disposable;  // nothing: no picture
    if (coding == VideoCoding::H264) {
      if (IsH264Slice(H264NalType(unit)))
        disposable = (static_cast<unsigned char>(unit[0]) >> 5 & 0x3) == 0;  // nal_ref_idc
    } else if (const std::optional<int> type = Mpeg2PictureCodingType(unit)) {
      disposable = *type == kMpeg2BPicture;
    }
    if (!disposable) return true;
    anyPicture = true;
    anyKept = !*disposable;
    return !anyKept;
  });
  return anyPicture && !anyKept;
}

}  // namespace trellimux
