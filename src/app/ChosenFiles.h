// What an open dialog that takes several files hands back in its buffer:
// for one file its path; for more the folder, then each name, every one
// ended by a zero and the list by a second one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/MessageRequest.h"

namespace trellimux {

// The dialog's buffer holds thousands of names; a choice of more is refused.
inline constexpr MessageRequest kTooManyFilesNote{
    " Note", "Too many files were chosen at once. Choose fewer of them.", MessageIcon::Warning,
    MessageButtons::Ok};

// The chosen files' paths, in natural order of their names ("Film_2"
// before "Film_10"). Empty for an empty buffer; a buffer without its last
// zeros ends at its end.
std::vector<std::string> ChosenFiles(std::string_view buffer);

}  // namespace trellimux
