// The job log as the worker thread writes it: synchronous calls to the log
// window, which the window thread carries out.
#pragma once

#include <windows.h>

#include <string_view>

namespace trellimux {

void ClearJobLog(HWND log);

// Appends at the very end of the log, whatever the user selected.
void AppendJobLog(HWND log, std::string_view text);

}  // namespace trellimux
