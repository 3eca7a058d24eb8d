// How the frames of a cut that are encoded again (its head before the first
// keyframe, its end before the Out) are encoded: with the source's own codec
// and parameters, at a quality that does not show, as a closed GOP that
// begins with a keyframe, so that they join the copied packets unseen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "probe/FrameRate.h"

namespace trellimux {

// What the probe report says of a video stream, as ffprobe spells it.
struct SourceVideo {
  std::string_view codec;
  std::string_view profile;
  std::string_view level;
  std::string_view pixelFormat;
  std::string_view fieldOrder;  // "progressive", "tt", "bb", "tb", "bt", "unknown"
  std::string_view colorRange;
  std::string_view colorSpace;
  std::string_view colorTransfer;
  std::string_view colorPrimaries;
  std::string_view frameRate;         // r_frame_rate, "25/1"
  std::string_view averageFrameRate;  // avg_frame_rate
};

// The values of the report's `index`-th stream section (views into it).
SourceVideo ReadSourceVideo(std::string_view report, std::size_t index);

// Why a source's frames cannot be encoded again as they are.
enum class SmartEncodeRefusal {
  NoEncoder,          // no encoder of ours writes the codec
  PixelFormat,        // the encoder takes no such pixel format
  UnknownFieldOrder,  // interlaced in a way that cannot be matched, or not known
};

// The encoder's options (from " -c:v" on), or why there are none.
struct SmartEncoding {
  std::optional<std::string> options;
  SmartEncodeRefusal refusal = SmartEncodeRefusal::NoEncoder;
  // The rate ffmpeg gives the encoder, whose time base is one frame of it:
  // the stream's r_frame_rate, or its average where that is far lower (a
  // field rate: ffmpeg then takes the rate the codec's headers say, which
  // the average is). The encoder writes each frame on this rate's grid.
  FrameRate gridRate;
};
SmartEncoding SmartEncoderOptions(const SourceVideo& video);

}  // namespace trellimux
