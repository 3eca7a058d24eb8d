// Trellimux's entry point: one copy at a time, one fixed-size window.
#include <windows.h>

#include <commctrl.h>

#include <cfloat>
#include <string>

#include "app/ProgramIdentity.h"
#include "app/win/KeyboardRouting.h"
#include "app/win/MainWindow.h"
#include "app/win/SharedResources.h"

namespace {

// A running copy is brought to the front instead of starting a second one.
bool ActivateRunningCopy() {
  HWND running = FindWindowA(std::string(trellimux::kWindowClassName).c_str(),
                             std::string(trellimux::kWindowTitle).c_str());
  if (!running) return false;
  ShowWindow(running, SW_SHOWNORMAL);
  SetForegroundWindow(running);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (ActivateRunningCopy()) return 0;
  _fpreset();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  trellimux::RegisterMainWindowClass(instance);
  if (HWND window = trellimux::CreateMainWindow(instance)) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }
  // Typed characters travel as UTF-16 to the controls, which keep their
  // text so: through the 8-bit calls, a character of more than one UTF-8
  // byte would reach an edit box as a look-alike ("L" for "Ł") or not at all.
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (trellimux::RouteKeyboardMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  trellimux::ReleaseIcon();
  return static_cast<int>(message.wParam);
}
