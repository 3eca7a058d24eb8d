// The command rebuild that follows a change of a page's stream tables.
#pragma once

#include "app/Pages.h"

namespace trellimux {

// Convert: the expert command (nothing in easy mode). Trim: the Trim
// command.
void RebuildTablePageCommand(Page page);

}  // namespace trellimux
