// Which coded pictures a decoder can begin with, as the preview's fed
// decoder is sent to one in a stretch of the recording whose keyframes
// ffprobe has not listed yet. Only pictures whose headers say so outright
// are taken, the same ones ffmpeg flags as keyframes when it lists them.
#pragma once

#include <string_view>

#include "preview/DisposablePictures.h"

namespace trellimux {

// Whether `elementary` (the first bytes of one PES packet's payload, up to
// and with its first picture's header) begins a picture that decoding can
// begin with, every picture shown from it on coming out whole:
// - H.264: an IDR picture (NAL unit type 5, ITU-T H.264, 7.4.1.2.4), or a
//   recovery point SEI message with recovery_frame_cnt 0 (D.2.8: the
//   picture itself is shown exact) before the first slice;
// - MPEG-2 video: an I picture (picture_coding_type 1, ISO/IEC 13818-2,
//   6.3.9).
// False for Other, and when no picture header is found.
bool IsKeyPicture(std::string_view elementary, VideoCoding coding);

// Whether a copy of the stream may begin with the picture: any key picture
// of MPEG-2 video (its leading pictures are left out), but only an IDR
// picture of H.264. After a recovery point that is no IDR the decoder
// keeps the pictures before it and orders the pictures after it among them
// by their picture order counts, which begin anew in a copy (measured: a
// cut joined after another lost frames, and the pictures after it unref
// pictures that are not there: "mmco: unref short failure").
bool BeginsCopy(std::string_view elementary, VideoCoding coding);

}  // namespace trellimux
