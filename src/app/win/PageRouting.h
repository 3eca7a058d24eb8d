// Hands the Convert and Trim pages' commands and notifications to the
// operations that own them: easy-mode lists, container list, mode and edit
// buttons, value-menu choices, the in-place editor, the stream tables' clicks
// and item changes, and the Convert time pickers.
#pragma once

#include <windows.h>

#include <optional>

namespace trellimux {

// A WM_COMMAND with the control identifier and the notification code.
void RoutePageCommand(int id, int notification);

// A WM_NOTIFY; nullopt leaves it to the default handling.
std::optional<LRESULT> RoutePageNotification(const NMHDR& header);

}  // namespace trellimux
