// The keyframe search of a Trim start with "Copy": ffprobe.exe, run hidden
// while the window waits (it reads a few seconds of the input per cut),
// finds where each copied cut begins and ends.
#pragma once

#include <span>
#include <string>

#include "trim/CutList.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

// Per cut, the times its copy seeks to and stops at (FindCopyCutTimes); a
// prober that cannot run leaves every cut at its In and Out.
CopyCutTimes LookUpCopyCutTimes(const std::string& inputPath, std::span<const Cut> cuts);

}  // namespace trellimux
