// The "FFmpeg log data" window: an owned read-only text popup over the page
// frame that shows a job's output. Its close box only hides it, and it
// cannot be dragged away from the frame it covers. A log too large for it
// is kept whole in a file; the window then shows its end under a line that
// names the file and opens it on a double-click.
#pragma once

#include <windows.h>

#include <string>

namespace trellimux {

inline constexpr char kLogWindowTitle[] = "FFmpeg log data";

HWND CreateLogWindow(HWND mainWindow, HINSTANCE instance);

// Shows the log window over the page, activated or not. Under Wine an owned
// popup stays behind its owner on screen when the owner was activated after
// it was shown, so this comes after any activation of the main window.
void ShowLogWindow(HWND logWindow, bool activate);

// The file that holds the whole log once it outgrew the window; "" while
// the window shows all of it.
std::string KeptLogPath(HWND logWindow);

// Moves the log window back over the main window's page frame (no resize,
// no change of z-order, no activation).
void GlueLogWindow(HWND logWindow, HWND mainWindow);

// Moves and sizes it over the page frame at the window's current scale.
void FitLogWindow(HWND logWindow, HWND mainWindow);

}  // namespace trellimux
