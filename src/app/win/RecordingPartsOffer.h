// "Add" of one file that is a part of a split recording: the other parts
// beside it are offered in a " Confirmation" box.
#pragma once

#include <string>
#include <vector>

namespace trellimux {

// The files to add for the one the user chose: with Yes to the box, every
// part of its recording not yet in the input list, in the recording's
// order; otherwise (or when it is no part of one) the chosen file alone.
std::vector<std::string> WithOtherParts(const std::string& path);

}  // namespace trellimux
