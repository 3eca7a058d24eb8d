#include "cmdline/SmartCopyEncoding.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "cmdline/ProbedValues.h"
#include "cmdline/ProfileNames.h"
#include "probe/SectionValues.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

enum class Interlacing { X264Params, MpegFlags };

struct SmartEncoder {
  std::string_view codec;    // the source's, as ffprobe names it
  std::string_view encoder;  // writes it again
  // A quality that does not show. libx264: crf 10 gave 43-47 dB PSNR on
  // the test pictures (crf 12: 43); mpeg2video: the finest quantiser, 47.9
  // dB on interlaced test pictures (q 2: 38.5).
  std::string_view quality;
  std::string_view flags;                          // always set; the interlacing flags join them
  std::span<const std::string_view> pixelFormats;  // "Supported pixel formats"
  Interlacing interlacing;
};

// clang-format off
// "ffmpeg -h encoder=libx264", the same in ffmpeg.exe 4.1 and ffmpeg 5.1.
constexpr std::array<std::string_view, 15> kX264PixelFormats = {
    "yuv420p", "yuvj420p", "yuv422p", "yuvj422p", "yuv444p", "yuvj444p", "nv12", "nv16", "nv21",
    "yuv420p10le", "yuv422p10le", "yuv444p10le", "nv20le", "gray", "gray10le"};
// "ffmpeg -h encoder=mpeg2video", both versions.
constexpr std::array<std::string_view, 2> kMpeg2PixelFormats = {"yuv420p", "yuv422p"};

// libx264 begins with an IDR picture and keeps its GOPs closed unless told
// otherwise; mpeg2video is told (+cgop), which it refuses with its scene
// change detection on ("closed gop with scene change detection are not
// supported yet, set threshold to 1000000000").
constexpr std::array<SmartEncoder, 2> kSmartEncoders = {{
    {"h264", "libx264", " -preset veryfast -crf 10", "", kX264PixelFormats,
     Interlacing::X264Params},
    {"mpeg2video", "mpeg2video", " -q:v 1 -qmin 1 -sc_threshold 1000000000", "+cgop",
     kMpeg2PixelFormats,
     Interlacing::MpegFlags},
}};
// clang-format on

bool Known(std::string_view value) {
  return !value.empty() && !EqualsIgnoringCase(value, "unknown") &&
         !EqualsIgnoringCase(value, "reserved") && !EqualsIgnoringCase(value, "unspecified");
}

void AppendOption(std::string& options, std::string_view name, std::string_view value) {
  if (!Known(value)) return;
  options += ' ';
  options += name;
  options += ' ';
  options += value;
}

FrameRate GridRate(const SourceVideo& video) {
  const FrameRate rate = ReadFrameRate(video.frameRate);
  const FrameRate average = ReadFrameRate(video.averageFrameRate);
  if (rate.num == 0) return average;
  const bool farLower = average.num > 0 && average.num * rate.den * 10 < rate.num * average.den * 7;
  return farLower ? average : rate;
}

}  // namespace

SourceVideo ReadSourceVideo(std::string_view report, std::size_t index) {
  auto value = [&](std::string_view key) {
    return StreamSectionValue(report, index, key).value_or(std::string_view());
  };
  return {value("codec_name"),   value("profile"),        value("level"),
          value("pix_fmt"),      value("field_order"),    value("color_range"),
          value("color_space"),  value("color_transfer"), value("color_primaries"),
          value("r_frame_rate"), value("avg_frame_rate")};
}

SmartEncoding SmartEncoderOptions(const SourceVideo& video) {
  const auto encoder =
      std::find_if(kSmartEncoders.begin(), kSmartEncoders.end(),
                   [&](const SmartEncoder& e) { return EqualsIgnoringCase(e.codec, video.codec); });
  if (encoder == kSmartEncoders.end()) return {std::nullopt, SmartEncodeRefusal::NoEncoder, {}};
  const bool pixelFormatTaken =
      std::any_of(encoder->pixelFormats.begin(), encoder->pixelFormats.end(),
                  [&](std::string_view format) { return format == video.pixelFormat; });
  if (!pixelFormatTaken) return {std::nullopt, SmartEncodeRefusal::PixelFormat, {}};
  const bool progressive = EqualsIgnoringCase(video.fieldOrder, "progressive");
  const bool topFirst = EqualsIgnoringCase(video.fieldOrder, "tt");
  if (!progressive && !topFirst && !EqualsIgnoringCase(video.fieldOrder, "bb"))
    return {std::nullopt, SmartEncodeRefusal::UnknownFieldOrder, {}};

  std::string options = " -c:v ";
  options += encoder->encoder;
  options += encoder->quality;
  const bool mpegFields = !progressive && encoder->interlacing == Interlacing::MpegFlags;
  AppendOption(options, "-flags", std::string(encoder->flags) + (mpegFields ? "+ilme+ildct" : ""));
  if (mpegFields) options += topFirst ? " -top 1" : " -top 0";
  if (!progressive && encoder->interlacing == Interlacing::X264Params)
    options += topFirst ? " -x264-params tff=1" : " -x264-params bff=1";
  AppendOption(options, "-pix_fmt", video.pixelFormat);
  AppendOption(options, "-profile:v", MapProfileName(encoder->encoder, video.profile));
  // ffprobe prints the level as the encoders take it: 40 for H.264's 4.0,
  // 8 for MPEG-2's Main.
  AppendOption(options, "-level:v", KnownLevel(video.codec, video.level));
  AppendOption(options, "-color_range", video.colorRange);
  AppendOption(options, "-colorspace", video.colorSpace);
  AppendOption(options, "-color_trc", video.colorTransfer);
  AppendOption(options, "-color_primaries", video.colorPrimaries);
  return {options, SmartEncodeRefusal::NoEncoder, GridRate(video)};
}

}  // namespace trellimux
