// The keyframe lookups of a Trim start with "Copy" or "Smart Copy":
// ffprobe.exe, run hidden on a worker while the window waits (it reads a
// few seconds of the input around each cut's ends), finds where each copied
// cut begins and ends, and how each Smart Copy cut is made.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cmdline/SmartCopyCommand.h"
#include "params/StreamTable.h"
#include "trim/CutList.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

// Per cut, the times its copy seeks to and stops at (FindCopyCutTimes); a
// prober that cannot run leaves every cut at its In and Out.
CopyCutTimes LookUpCopyCutTimes(const std::string& inputPath, std::span<const Cut> cuts);

// What a Smart Copy job needs to know of the input (whose probe report is
// `report`), of the video stream checked in `streams` and of each cut.
SmartCopyFacts LookUpSmartCopyFacts(const std::string& inputPath, std::span<const Cut> cuts,
                                    std::string_view report, const StreamTable& streams);

}  // namespace trellimux
