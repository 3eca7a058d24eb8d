// A group box's caption changed while the window shows it: the caption is
// drawn on the parent's background, so that part of the parent is redrawn
// too, or the old caption would show through the new one.
#pragma once

#include <windows.h>

#include <string_view>

namespace trellimux {

// Any thread may call it: the text goes to the window by a synchronous call.
void SetFrameCaption(HWND frame, std::string_view caption);

}  // namespace trellimux
