// A number of bytes as people read it in a box or the log.
#pragma once

#include <cstdint>
#include <string>

namespace trellimux {

// "188 bytes" below 1 KiB; above, in the largest of KiB, MiB and GiB that
// leaves at least 1, rounded to whole units from 10 on ("47 KiB") and to one
// decimal below ("3.9 GiB").
std::string ByteSizeText(std::int64_t bytes);

}  // namespace trellimux
