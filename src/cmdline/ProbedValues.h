// Which probed cell texts are values ffmpeg takes. ffprobe prints what it
// could not determine as zeros and sentinels ("0:1", "-99", a cover
// picture's "90000/1" frame rate); as options those are refused or harmful,
// so they count as empty. Any other text is handed on as it stands.
#pragma once

#include <string>
#include <string_view>

namespace trellimux {

// Width or height: "0" is unknown.
std::string_view KnownDimension(std::string_view text);

// SAR or DAR "N:M" / "N/M": a zero on either side ("0:1", "1:0", "0:0") is
// unknown.
std::string_view KnownRatio(std::string_view text);

// The ratio as setsar=/setdar= read it: "N/M" (their "N:M" is a ratio N with
// a limit M).
std::string FilterRatio(std::string_view text);

// A frame rate "N/M" or "N": zero, or above 1000 fps (cover art's 90000/1,
// a live stream's 180000/2), is not a video rate.
std::string_view KnownFrameRate(std::string_view text);

// A level of `codec`: none for codecs without levels, and a negative or zero
// number ("-99", "0") is unknown.
std::string_view KnownLevel(std::string_view codec, std::string_view text);

}  // namespace trellimux
