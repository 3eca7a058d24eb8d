#include "preview/FrameRequest.h"

#include <array>

#include "preview/FrameFit.h"
#include "text/CommandText.h"

namespace trellimux {
namespace {

// clang-format off
constexpr std::array<FrameCommandFact, 6> kFacts = {{
    {" -v quiet -nostdin",
     "Standard error shares the child's one output pipe with the picture, so "
     "nothing else may be printed; -nostdin keeps ffmpeg from reading the "
     "program's input pipe.",
     "ffmpeg documentation, Generic options (-loglevel quiet) and Main options (-nostdin)"},
    {" -ss ",
     "Before -i, -ss seeks the input, counting from its start_time. In an MPEG-TS "
     "the seek lands on any frame at or before the time, not on a keyframe, and the "
     "decoder drops what it cannot decode up to the next keyframe: seeking straight "
     "to 1.0 s of a TS with a keyframe every 10 frames showed frame 30 instead of 25. "
     "Seeking to just before a keyframe's decoding time lands before it.",
     "measured with ffmpeg 5.1 (Debian) on an mpeg2video TS; the seek of the keyframe "
     "search of copied cuts"},
    {" -copyts -i",
     "The frames keep the file's own time stamps, so the select filter can name the "
     "frame by its presentation time. Without it, after an input seek, an output -ss "
     "showed the frame before the one asked for whenever the keyframe's decoding "
     "time lay before its presentation time.",
     "ffmpeg documentation, Advanced options (-copyts); measured with ffmpeg 5.1"},
    {" -map 0:v:0 -frames:v 1",
     "Only the first video stream, and only its first frame through the filters, is "
     "written.",
     "ffmpeg documentation, Advanced options (-map) and Video options (-frames:v)"},
    {" -vf \"select='gte(t,",
     "select passes the frames whose time in seconds (t) is at least the one given: "
     "the first frame at or after it comes out first. The comma inside gte() is "
     "quoted from the filter graph's parser; scale then makes exactly the width "
     "and height given, so the picture is drawn one to one.",
     "ffmpeg filters documentation, select and scale; filter graph escaping"},
    {" -pix_fmt bgr24 -f image2pipe -c:v bmp -",
     "The bmp encoder writes one bitmap file per frame: \"BM\", a 40-byte "
     "BITMAPINFOHEADER, rows bottom-up, 24 bits per pixel in blue-green-red order, "
     "each row padded to 4 bytes; image2pipe writes it to standard output.",
     "libavcodec/bmpenc.c; measured with ffmpeg 5.1 (Debian) and ffmpeg.exe 4.1"},
}};
// clang-format on

// Seconds with three decimals for the seek; ffmpeg reads plain seconds.
std::string SecondsText(std::int64_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  return std::to_string(milliseconds / 1000) + "." +
         std::to_string(1000 + milliseconds % 1000).substr(1);
}

// `units` of 1/10^decimals seconds as signed seconds with that many
// decimals (a start time may be negative).
std::string SignedSecondsText(std::int64_t units, int decimals) {
  std::int64_t scale = 1;
  for (int digit = 0; digit < decimals; ++digit) scale *= 10;
  std::string text;
  if (units < 0) {
    text = "-";
    units = -units;
  }
  text += std::to_string(units / scale);
  text += '.';
  text += std::to_string(scale + units % scale).substr(1);
  return text;
}

std::string PreciseSecondsText(std::int64_t tenthsOfMilliseconds) {
  return SignedSecondsText(tenthsOfMilliseconds, 4);
}

// "select='gte(t,S)',scale=W:H:flags=area": the first frame at or after S seconds,
// made `width` x `height`.
std::string SelectAndScale(std::int64_t tenthsOfMilliseconds, int width, int height) {
  return "select='gte(t," + PreciseSecondsText(tenthsOfMilliseconds) + ")'," +
         PreviewScaleFilter(width, height);
}

}  // namespace

std::span<const FrameCommandFact> FrameCommandFacts() { return kFacts; }

std::string FrameArguments(std::string_view inputPath, std::int64_t seekMs,
                           std::int64_t startMicroseconds, std::int64_t timeMs, int width,
                           int height) {
  std::string arguments(kFacts[0].arguments);
  arguments += kFacts[1].arguments;
  arguments += SecondsText(seekMs);
  arguments += kFacts[2].arguments;
  AppendQuotedPath(arguments, inputPath);
  arguments += kFacts[3].arguments;
  // Half a millisecond early: the frame at exactly the time passes whatever
  // the rounding of its 90 kHz time stamp.
  arguments += " -vf \"" +
               SelectAndScale(startMicroseconds / 100 + timeMs * 10 - 5, width, height) + "\"";
  arguments += kFacts[5].arguments;
  return arguments;
}

}  // namespace trellimux
