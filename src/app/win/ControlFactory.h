// Creates the main window's controls from the control table and sets each
// one up: fonts, item lists, list-view looks and columns, pickers, spinners.
#pragma once

#include <windows.h>

namespace trellimux {

// Creates every control in the table's order; the log window follows the
// "Start" button, as it belongs to the job controls.
void CreateControls(HWND mainWindow, HINSTANCE instance);

// Every control moved and sized to its place at the current scale, with
// the fonts made for it (the window moved to a screen of another DPI).
void LayOutControlsAgain();

}  // namespace trellimux
