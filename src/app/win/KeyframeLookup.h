// The keyframe search of a Trim start with "Copy": ffprobe.exe, run hidden
// while the window waits (it reads a few seconds of the input per cut),
// finds where each copied cut begins.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "trim/CutList.h"

namespace trellimux {

// Per cut, the time its copy seeks to (CopyCutStarts); a prober that cannot
// run leaves every cut at its In.
std::vector<std::string> LookUpCopyCutStarts(const std::string& inputPath,
                                             std::span<const Cut> cuts);

}  // namespace trellimux
