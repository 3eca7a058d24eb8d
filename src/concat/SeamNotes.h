// The log's lines on what a join of MPEG-TS parts left out at their seams.
#pragma once

#include <span>
#include <string>

#include "transport/PartSeams.h"

namespace trellimux {

// A line ending in CR LF per part that is not read from its first byte,
// counted from 1: "Part 3: 256 repeated packets (47 KiB) left out at its
// start", "Part 2: a header of 4096 bytes (4.0 KiB) before its first
// packet left out"; both in one line when both. Empty when nothing was.
std::string SeamNotes(std::span<const PartSeam> seams);

}  // namespace trellimux
