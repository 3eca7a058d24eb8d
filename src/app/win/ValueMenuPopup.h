// The value menus of the parameter tables as popup menus: shown at the mouse
// pointer on a right-click, their choice applied when its command arrives.
#pragma once

#include <windows.h>

#include "app/Pages.h"

namespace trellimux {

// Builds the menu of `column` for the page's selected parameter row and
// tracks it at the pointer; the choice comes back as a WM_COMMAND.
void ShowColumnMenu(Page page, int column);

// A menu item's command (0x8001 to 0x80FF) on the Convert or Trim page: the
// row operation or value pick of the column last right-clicked.
void ApplyValueMenuCommand(Page page, int id);

// The menu last shown (kept until the next right-click), for tests.
HMENU LastColumnMenu();

}  // namespace trellimux
