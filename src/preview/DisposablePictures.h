// Which coded pictures no other picture is decoded from: the preview's
// decoder may be fed a transport stream without those that lie before the
// frame asked for, and decodes up to it in less time. Only the codings
// whose headers say so outright are looked at.
#pragma once

#include <string_view>

namespace trellimux {

enum class VideoCoding { Other, H264, Mpeg2 };

// The coding of a stream that ffprobe names `codecName` ("h264",
// "mpeg2video"); Other for any else.
VideoCoding VideoCodingNamed(std::string_view codecName);

// Whether every picture coded in `elementary` (the payload of one PES
// packet: a frame, or its two fields) is one that no other picture refers
// to, so that leaving it out changes no other picture:
// - H.264: every slice's NAL unit has nal_ref_idc 0 (ITU-T H.264, 7.4.1: a
//   picture of nal_ref_idc 0 is not used for inter prediction);
// - MPEG-2 video: every picture header's picture_coding_type is 3, a B
//   picture (ISO/IEC 13818-2, 6.3.9: B pictures are never references).
// False for Other, and when no picture is found.
bool IsDisposablePicture(std::string_view elementary, VideoCoding coding);

}  // namespace trellimux
