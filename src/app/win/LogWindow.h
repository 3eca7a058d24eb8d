// The "FFmpeg log data" window: an owned read-only text popup over the page
// frame that shows a job's output. Its close box only hides it, and it
// cannot be dragged away from the frame it covers.
#pragma once

#include <windows.h>

namespace trellimux {

inline constexpr char kLogWindowTitle[] = "FFmpeg log data";

HWND CreateLogWindow(HWND mainWindow, HINSTANCE instance);

// Shows the log window over the page, activated or not. Under Wine an owned
// popup stays behind its owner on screen when the owner was activated after
// it was shown, so this comes after any activation of the main window.
void ShowLogWindow(HWND logWindow, bool activate);

// Moves the log window back over the main window's page frame (no resize,
// no change of z-order, no activation).
void GlueLogWindow(HWND logWindow, HWND mainWindow);

}  // namespace trellimux
