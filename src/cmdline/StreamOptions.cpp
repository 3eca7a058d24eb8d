#include "cmdline/StreamOptions.h"

#include "cmdline/CommandText.h"
#include "text/AsciiText.h"

namespace trellimux {

std::uint32_t& StreamCounters::For(StreamKind kind) {
  switch (kind) {
    case StreamKind::Audio:
      return audio;
    case StreamKind::Subtitle:
      return subtitle;
    default:
      return video;
  }
}

std::string StreamSpecifier(StreamKind kind, std::uint32_t index) {
  char letter = kind == StreamKind::Audio ? 'a' : kind == StreamKind::Subtitle ? 's' : 'v';
  return std::string{letter, ':'} + FormatUnsigned(index);
}

void AppendStreamOption(std::string& command, std::string_view option, std::string_view specifier,
                        std::string_view value) {
  if (value.empty()) return;
  command += option;
  command += specifier;
  command += ' ';
  command += value;
}

void AppendCodec(std::string& command, std::string_view specifier, std::string_view codec) {
  AppendStreamOption(command, " -c:", specifier, codec);
  if (EqualsIgnoringCase(codec, "libmp3lame") || EqualsIgnoringCase(codec, "mp3"))
    command += " -joint_stereo 0";
}

void AppendFilterChain(std::string& command, std::string_view width, std::string_view height,
                       std::string_view sar, std::string_view dar, std::string_view fps) {
  std::string size;
  if (!width.empty() && !height.empty()) size = std::string(width) + "/" + std::string(height);
  AppendVideoFilters(command, size, sar, dar, fps);
}

void AppendVideoFilters(std::string& command, std::string_view size, std::string_view sar,
                        std::string_view dar, std::string_view fps) {
  std::string chain;
  auto part = [&chain](std::string_view name, std::string_view value) {
    if (value.empty()) return;
    chain += chain.empty() ? "" : ",";
    chain += name;
    chain += value;
  };
  part("scale=", size);
  part("setsar=", sar);
  part("setdar=", dar);
  // No ":1" after the rate: that would set the filter's start time to 1 s and
  // drop the first second of video.
  part("fps=fps=", fps);
  if (chain.empty()) return;
  command += " -vf ";
  command += chain;
}

std::string_view QualityOption(std::string_view codec) {
  if (codec.empty() || EqualsIgnoringCase(codec, "dvvideo")) return {};
  for (std::string_view crfCodec : {"h264", "h265", "hevc"})
    if (EqualsIgnoringCase(codec, crfCodec)) return " -crf:";
  return " -q:";
}

}  // namespace trellimux
