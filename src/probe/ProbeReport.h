// The prober's report (ffprobe's default print format) turned into stream
// records. Values are kept as the report shows them; only the stream count and
// the parity of width and height are interpreted.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "probe/TypeTag.h"

namespace trellimux {

inline constexpr int kParameterColumnCount = 20;

// The parameter columns, in the order of a stream's texts and of every table.
// clang-format off
enum Column : int {
  kStream, kType, kCodec, kProfile, kLevel, kWidth, kHeight, kSar, kDar, kFps, kPixFmt,
  kQuality, kBitrate, kMaxBitrate, kBufsize, kSampleFmt, kSampleRate, kChannels, kLayout,
  kLanguage
};
// clang-format on
inline constexpr int kMaxStreams = 255;

// One stream section of the report: one text per parameter column, in column
// order (Stream, Type, Codec, ... Language), plus its type tag. The texts are
// views into the report buffer: no copy is made while scanning, so a result
// is valid only as long as the report it was parsed from.
struct StreamInfo {
  std::array<std::string_view, kParameterColumnCount> texts{};
  TypeTag typeTag{};
};

struct ProbeResult {
  std::uint8_t streamCount = 0;  // nb_streams, low 8 bits
  std::vector<StreamInfo> streams;
  // Nonzero when some stream has an odd width or an odd height (the Convert
  // page needs it for easy mode's scale rule; the Trim page ignores it).
  unsigned oddSizeFlag = 0;
};

enum class ProbeFailure { Format, Stream };

// The message the user is shown for a failure (caption " Error").
std::string_view ProbeFailureText(ProbeFailure failure);

using ProbeOutcome = std::variant<ProbeResult, ProbeFailure>;

// Parses any bytes without reading outside `report`. Lines may end in CR LF,
// CR alone or LF alone; a NUL byte also ends a line.
ProbeOutcome ParseProbeReport(std::string_view report);

}  // namespace trellimux
