// Per-stream option pieces shared by the expert, easy-mode and Trim builders.
// Every piece begins with a blank; an empty value writes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "probe/TypeTag.h"

namespace trellimux {

// Output stream counters of one build, one per type.
struct StreamCounters {
  std::uint32_t video = 0;
  std::uint32_t audio = 0;
  std::uint32_t subtitle = 0;

  std::uint32_t& For(StreamKind kind);
};

// "v:0", "a:1", "s:0": the type letter and the type's next output index.
std::string StreamSpecifier(StreamKind kind, std::uint32_t index);

// " <option>:<specifier> <value>", or nothing for an empty value.
void AppendStreamOption(std::string& command, std::string_view option, std::string_view specifier,
                        std::string_view value);

// " -c:<specifier> <codec>", then " -joint_stereo 0" for the MP3 encoders.
void AppendCodec(std::string& command, std::string_view specifier, std::string_view codec);

// " -vf " and the present parts of scale, setsar, setdar and fps, comma
// joined; nothing when all four are absent (size needs both width and height).
void AppendFilterChain(std::string& command, std::string_view width, std::string_view height,
                       std::string_view sar, std::string_view dar, std::string_view fps);

// The same chain with the size already in one text ("1280/720", or the
// even-size expression of easy mode); shared so both modes write one chain.
void AppendVideoFilters(std::string& command, std::string_view size, std::string_view sar,
                        std::string_view dar, std::string_view fps);

// The quality option a video codec takes: " -crf:" for the H.264/HEVC
// encoders, none for an empty codec or "dvvideo", else " -q:".
std::string_view QualityOption(std::string_view codec);

}  // namespace trellimux
