// The job log as the worker thread writes it: synchronous calls to the log
// window, which the window thread carries out. The window keeps the whole
// log, and shows what it can show without stalling (app/win/LogWindow).
#pragma once

#include <windows.h>

#include <string_view>

namespace trellimux {

// Adds text at the end of the log window's log: WPARAM its size, LPARAM
// its first byte.
inline constexpr UINT kAppendLogMessage = WM_APP + 0x26;

void ClearJobLog(HWND log);

// Appends at the very end of the log, whatever the user selected.
void AppendJobLog(HWND log, std::string_view text);

}  // namespace trellimux
