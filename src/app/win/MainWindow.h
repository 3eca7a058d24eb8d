// The main window: its class, creation, closing sequence and the handling of
// the messages common to every page.
#pragma once

#include <windows.h>

namespace trellimux {

// Loads the icon and the background texture and registers the window class.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window, hidden, centred on the screen. Creation builds
// every control and ends with the agreement prompt; when the user does not
// agree, the window is closed again and the result is null.
HWND CreateMainWindow(HINSTANCE instance);

}  // namespace trellimux
