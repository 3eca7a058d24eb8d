// Times in seconds with six decimals, as ffprobe prints them and as
// ffmpeg's time options and filters take them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// "12.345678", "-0.040000": microseconds as seconds.
std::string MicrosecondsAsSeconds(std::int64_t microseconds);

// "12.345678" as microseconds; nothing for anything else ("N/A", an empty
// field). Read by hand: no locale decides the decimal point.
std::optional<std::int64_t> SecondsAsMicroseconds(std::string_view text);

}  // namespace trellimux
