// A frame rate as ffprobe prints it ("25/1", "30000/1001"; "0/0" when it
// does not know), read as a fraction.
#pragma once

#include <cstdint>
#include <string_view>

namespace trellimux {

struct FrameRate {
  std::int64_t num = 0, den = 1;  // 0/1 when not known
};

// Both parts whole numbers above 0; 0/1 otherwise.
FrameRate ReadFrameRate(std::string_view text);

}  // namespace trellimux
