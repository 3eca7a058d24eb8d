// What the platform costs for trellimux.exe's start, without the program's
// own work: the same agreement prompt with the same sound, owned by a hidden
// window of the same size, and after Yes that window made of the same
// controls as plain ones (the same classes, styles and places, but no fonts,
// textures, colours, columns or list items). startup_bench measures
// trellimux.exe against it.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <string>

#include "app/AgreementPrompt.h"
#include "app/ControlTable.h"
#include "app/ProgramIdentity.h"
#include "app/WindowPlacement.h"
#include "app/win/ControlStyles.h"

namespace {

using namespace trellimux;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CreatePlainControls(HWND window, HINSTANCE instance) {
  const int barHeight = GetSystemMetrics(SM_CYVSCROLL);
  for (const ControlEntry& control : MainWindowControls()) {
    DWORD style = WS_CHILD | StylesOf(control.kind).style;
    if (VisibleAtStart(control)) style |= WS_VISIBLE;
    if (control.start == StartState::Disabled) style |= WS_DISABLED;
    const int height = control.place.height == kSystemBarHeight ? barHeight : control.place.height;
    CreateWindowExA(StylesOf(control.kind).exStyle,
                    std::string(ControlClassName(control.kind)).c_str(),
                    std::string(control.caption).c_str(), style, control.place.x, control.place.y,
                    control.place.width, height, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "TrellimuxPlainPromptWindow";
  if (!RegisterClassA(&windowClass)) return 1;
  const ScreenPoint corner =
      CentredWindowPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Plain window",
                                WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, corner.x, corner.y,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;

  PlaySoundA("SystemQuestion", nullptr, SND_ALIAS | SND_ASYNC);
  if (MessageBoxA(window, std::string(kAgreementPrompt.text).c_str(),
                  std::string(kAgreementPrompt.caption).c_str(),
                  MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) != IDYES) {
    DestroyWindow(window);
    return 0;
  }
  CreatePlainControls(window, instance);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
