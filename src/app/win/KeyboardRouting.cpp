#include "app/win/KeyboardRouting.h"

#include <algorithm>
#include <vector>

#include "app/ControlTable.h"
#include "app/KeyboardOrder.h"
#include "app/win/AppState.h"

namespace trellimux {
namespace {

bool Pressed(int key) { return GetKeyState(key) < 0; }

// The main window's control that holds the focus (or a part of it, such
// as a list's header); 0 when none does.
int FocusedControlId(HWND mainWindow) {
  for (HWND window = GetFocus(); window && window != mainWindow; window = GetParent(window))
    if (GetParent(window) == mainWindow) return GetDlgCtrlID(window);
  return 0;
}

bool Usable(HWND control) {
  return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

bool IsPushButton(int id) {
  const ControlEntry* control = FindControl(id);
  return control && control->kind == ControlKind::PushButton;
}

bool Within(HWND window, HWND top) { return window == top || IsChild(top, window); }

HWND& RememberedFocus() {
  static HWND focus = nullptr;
  return focus;
}

}  // namespace

void RememberKeyboardFocus() {
  const HWND mainWindow = App().mainWindow;
  const HWND focus = GetFocus();
  if (mainWindow && focus && IsChild(mainWindow, focus)) RememberedFocus() = focus;
}

bool RestoreKeyboardFocus() {
  const HWND focus = RememberedFocus();
  const HWND mainWindow = App().mainWindow;
  if (!mainWindow || !focus || !IsChild(mainWindow, focus) || !IsWindowVisible(focus) ||
      !IsWindowEnabled(focus))
    return false;
  SetFocus(focus);
  return true;
}

void MoveKeyboardFocus(bool back) {
  AppState& app = App();
  std::vector<HWND> stops;
  for (const int id : ReadingOrder(app.currentPage))
    if (HWND control = Control(id); Usable(control)) stops.push_back(control);
  if (stops.empty()) return;
  const HWND focused = Control(FocusedControlId(app.mainWindow));
  const auto at = std::ranges::find(stops, focused);
  std::size_t next = 0;
  if (at != stops.end()) {
    const std::size_t index = static_cast<std::size_t>(at - stops.begin());
    next = back ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
  } else if (back) {
    next = stops.size() - 1;
  }
  SetFocus(stops[next]);
}

bool RouteKeyboardMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  AppState& app = App();
  const int key = static_cast<int>(message.wParam);
  if (app.logWindow && Within(message.hwnd, app.logWindow)) {
    if (key != VK_ESCAPE) return false;
    SendMessageA(app.logWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  // Not while a box or menu of the window is open: those keep their keys.
  if (!app.mainWindow || !Within(message.hwnd, app.mainWindow) || !IsWindowEnabled(app.mainWindow))
    return false;
  const bool control = Pressed(VK_CONTROL), shift = Pressed(VK_SHIFT), alt = Pressed(VK_MENU);
  if (alt) return false;
  if (key == VK_TAB && !control) {
    MoveKeyboardFocus(shift);
    return true;
  }
  if (key == VK_RETURN && !control && !shift) {
    const int focused = FocusedControlId(app.mainWindow);
    if (!IsPushButton(focused)) return false;  // an edit box's or editor's own Enter
    SendMessageA(Control(focused), BM_CLICK, 0, 0);
    return true;
  }
  const std::optional<int> button = ButtonOfKey({key, control, shift}, app.currentPage);
  if (!button) return false;
  if (HWND pressed = Control(*button); Usable(pressed)) SendMessageA(pressed, BM_CLICK, 0, 0);
  return true;
}

}  // namespace trellimux
