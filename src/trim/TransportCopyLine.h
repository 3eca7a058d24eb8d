// The line of the Trim box for a cut the program puts together itself
// (CopyTransportCut), readable beside the ffmpeg lines and read back when
// the job runs, so that an edited box runs as it stands:
//  Copy packets from "in.ts" to "temp0.ts": PIDs 256 257; first "h.ts" "h-257.ts"; video from
//  byte 1316, keyframe 1.410000 s, to decoding time 3.370000 s; PID 257 from 1.380000 s to
//  3.350000 s; last "e.ts"; times moved by -58.600000 s
// (one line; "to the end" when the video's copy has no stop; the parts
// after the PIDs only when the cut has them).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "trim/TransportCopy.h"

namespace trellimux {

struct TransportCopyStep {
  std::string inputPath;
  std::string outputPath;
  TransportCut cut;
};

inline constexpr std::string_view kTransportCopyLineStart = " Copy packets from";

std::string TransportCopyLine(const TransportCopyStep& step);

// Whether the box's line asks for such a copy rather than an ffmpeg run.
bool IsTransportCopyLine(std::string_view line);

// The copy the line asks for; nothing when it does not read as
// TransportCopyLine writes it.
std::optional<TransportCopyStep> ParseTransportCopyLine(std::string_view line);

}  // namespace trellimux
