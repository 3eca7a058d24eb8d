// The order in which people expect numbered file names: "Film_2" before
// "Film_10", as Explorer sorts them, and a name before the same name with
// more after it ("Film.ts" before "Film.ts.001").
#pragma once

#include <string_view>

namespace trellimux {

// Runs of digits compare by their value, everything else byte by byte with
// the case of ASCII letters ignored. Names equal that way (only leading
// zeros or letter case told apart) are ordered by their plain bytes, so the
// order is total.
bool NaturallyBefore(std::string_view a, std::string_view b);

}  // namespace trellimux
