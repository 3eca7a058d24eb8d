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

#include "trim/SmartCutPlan.h"

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
};
SmartEncoding SmartEncoderOptions(const SourceVideo& video);

// The line that encodes `run` of the video stream `map` ("0:0") into the
// MPEG-TS `outputPath`, in the source's own time stamps, so that the pieces
// of a cut follow each other when their bytes are joined: decoding from just
// before the run's keyframe (a transport stream's seek may land on any frame
// at or before the time asked for, and no frame decodes before a keyframe),
// then keeping `run.count` frames from its first one. The frames are picked
// by their own times (-copyts, a select filter) and written at those times
// (no multiplexer delay): an output -ss counts from the first frame of the
// streams written, not from the input's start (measured, ffmpeg 5.1: a video
// that begins 10 ms after the audio lost its first frame), and shifts the
// time stamps written even with -copyts.
std::string SmartEncodeLine(std::string_view inputPath, std::string_view map,
                            std::int64_t startMicroseconds, const FrameRun& run,
                            std::string_view options, std::string_view outputPath);

}  // namespace trellimux
