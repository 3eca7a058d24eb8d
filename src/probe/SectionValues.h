// Single values of the prober's report (ffprobe's default print format),
// read where a page needs one the stream tables do not keep.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace trellimux {

// The text after "key=" on the first such line of the [FORMAT] section
// (key matched ignoring case); nothing when the section has no such line.
std::optional<std::string_view> FormatSectionValue(std::string_view report, std::string_view key);

// The same in the `index`-th [STREAM] section, counted from 0 in the
// report's order (the order of the stream tables' rows).
std::optional<std::string_view> StreamSectionValue(std::string_view report, std::size_t index,
                                                   std::string_view key);

}  // namespace trellimux
