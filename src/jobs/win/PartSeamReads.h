// The seams of a byte join's parts read from the files themselves: each
// one that may be an MPEG-TS by its name is opened and looked at where its
// first packets and the end of the part before lie (a few MiB at most).
#pragma once

#include <string>
#include <vector>

#include "transport/PartSeams.h"

namespace trellimux {

// One seam per path, in order; a file that cannot be opened is read whole
// (the join itself then meets and reports the failure).
std::vector<PartSeam> ReadPartSeams(const std::vector<std::string>& paths);

// Where each part is read from.
std::vector<std::int64_t> PartStarts(const std::vector<PartSeam>& seams);

}  // namespace trellimux
