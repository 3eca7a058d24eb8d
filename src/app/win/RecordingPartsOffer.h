// "Add" of one file that is a part of a split recording: the other parts
// beside it are offered in a " Confirmation" box.
#pragma once

#include <string>
#include <vector>

namespace trellimux {

// The files to add for the one the user chose: with Yes to the box, every
// part of its recording in the recording's order; otherwise, or when it is
// no part of one, or another of its parts is in the input list already
// (the user adds them one by one), the chosen file alone.
std::vector<std::string> WithOtherParts(const std::string& path);

}  // namespace trellimux
