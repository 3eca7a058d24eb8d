// The columns of the two list views that are not stream tables.
#pragma once

#include <array>

#include "params/ParameterColumns.h"

namespace trellimux {

inline constexpr std::array<ParameterColumn, 1> kFileListColumns = {{
    {"Files", 898, ColumnAlignment::Left},
}};

inline constexpr std::array<ParameterColumn, 3> kCutListColumns = {{
    {"Cuts", 44, ColumnAlignment::Left},
    {"In [ HH:MM:SS.ms ]", 158, ColumnAlignment::Centre},
    {"Out [ HH:MM:SS.ms ]", 158, ColumnAlignment::Centre},
}};

}  // namespace trellimux
