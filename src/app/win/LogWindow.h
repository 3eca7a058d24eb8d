// The "FFmpeg log data" window: an owned read-only text popup over the page
// frame that shows a job's output. Its close box only hides it, and it
// cannot be dragged away from the frame it covers.
#pragma once

#include <windows.h>

namespace trellimux {

inline constexpr char kLogWindowTitle[] = "FFmpeg log data";

HWND CreateLogWindow(HWND mainWindow, HINSTANCE instance);

// Shows the log window over the page and activates it: under Wine an owned
// popup that is only shown stays behind its owner on screen.
void ShowLogWindow(HWND logWindow);

// Moves the log window back over the main window's page frame (no resize,
// no change of z-order, no activation).
void GlueLogWindow(HWND logWindow, HWND mainWindow);

}  // namespace trellimux
