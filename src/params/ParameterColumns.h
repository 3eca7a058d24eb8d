// The 20 columns shared by every stream table, in display and cell order.
#pragma once

#include <array>
#include <string_view>

#include "probe/ProbeReport.h"

namespace trellimux {

enum class ColumnAlignment { Left, Centre };

struct ParameterColumn {
  std::string_view header;
  int width;  // pixels
  ColumnAlignment alignment;
};

// clang-format off
inline constexpr std::array<ParameterColumn, kParameterColumnCount> kParameterColumns = {{
    {"Stream", 46, ColumnAlignment::Left},      {"Type", 56, ColumnAlignment::Centre},
    {"Codec", 72, ColumnAlignment::Centre},     {"Profile", 56, ColumnAlignment::Centre},
    {"Level", 40, ColumnAlignment::Centre},     {"Width", 44, ColumnAlignment::Centre},
    {"Height", 44, ColumnAlignment::Centre},    {"SAR", 43, ColumnAlignment::Centre},
    {"DAR", 39, ColumnAlignment::Centre},       {"FPS", 72, ColumnAlignment::Centre},
    {"PixFMT", 76, ColumnAlignment::Centre},    {"Quality", 44, ColumnAlignment::Centre},
    {"Bitrate", 64, ColumnAlignment::Centre},   {"MaxBitrate", 64, ColumnAlignment::Centre},
    {"Bufsize", 48, ColumnAlignment::Centre},   {"SampleFMT", 70, ColumnAlignment::Centre},
    {"SampleRate", 70, ColumnAlignment::Centre}, {"Channels", 56, ColumnAlignment::Centre},
    {"Layout", 60, ColumnAlignment::Centre},    {"Language", 60, ColumnAlignment::Centre},
}};
// clang-format on

}  // namespace trellimux
