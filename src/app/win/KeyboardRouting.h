// The keyboard in the window's message loop: Tab and Shift+Tab move the
// focus through the page's controls in reading order, Enter presses the
// focused button, the keys of the frequent commands press theirs, and Esc
// closes the log window (never a job). Arrow keys, Space and the rest go
// to the focused control as they are.
#pragma once

#include <windows.h>

namespace trellimux {

// True when the key was taken here; the loop then neither translates nor
// dispatches the message.
bool RouteKeyboardMessage(const MSG& message);

// The focus moved one control on (back: one control before), among the
// visible and enabled ones Tab stops at; the first when none had it.
void MoveKeyboardFocus(bool back);

// As a dialog does: the control with the focus is remembered when the main
// window loses the activation (to a box, the log window, another program)
// and gets the focus back when the window is activated again. True when it
// did; otherwise the window's default takes the focus.
void RememberKeyboardFocus();
bool RestoreKeyboardFocus();

}  // namespace trellimux
