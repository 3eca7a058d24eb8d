// Work that must end before the window goes on (the keyframe lookup of a
// Trim start) but may take seconds: it runs on a worker thread while the
// window thread keeps the windows painted and movable. The main window
// takes no input meanwhile, as under a modal box.
#pragma once

#include <windows.h>

#include <functional>

namespace trellimux {

// Runs `work` to its end; on the calling thread when no worker can be made.
void RunWhileWindowWaits(HWND window, const std::function<void()>& work);

}  // namespace trellimux
