// The line of the Trim box for a copy the program makes itself
// (CopyTransportVideo), readable beside the ffmpeg lines and read back when
// the job runs, so that an edited box runs as it stands:
//  Copy video packets: PID 256 from byte 1316, keyframe 1.410000 s, to decoding time 3.370000 s,
//  from "in.ts" to "out.ts"
// (one line; "to the end" when the copy has no stop).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "trim/TransportCopy.h"

namespace trellimux {

struct TransportCopyStep {
  std::string inputPath;
  std::string outputPath;
  TransportCopyRange range;
};

inline constexpr std::string_view kTransportCopyLineStart = " Copy video packets:";

std::string TransportCopyLine(const TransportCopyStep& step);

// Whether the box's line asks for such a copy rather than an ffmpeg run.
bool IsTransportCopyLine(std::string_view line);

// The copy the line asks for; nothing when it does not read as
// TransportCopyLine writes it.
std::optional<TransportCopyStep> ParseTransportCopyLine(std::string_view line);

}  // namespace trellimux
