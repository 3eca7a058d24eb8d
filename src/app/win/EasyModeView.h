// Shows the easy-mode slot lists of the Convert page in their twenty
// drop-down lists: items (refilled only when they changed), selections and
// enabled states.
#pragma once

namespace trellimux {

void ShowEasyModeLists();

}  // namespace trellimux
