#include "app/win/LogWindow.h"

#include "app/WindowPlacement.h"
#include "app/win/SharedResources.h"

namespace trellimux {
namespace {

WNDPROC editProcedure = nullptr;

ScreenRect PlacementOver(HWND mainWindow) {
  RECT outer{};
  GetWindowRect(mainWindow, &outer);
  POINT clientOrigin{0, 0};
  ClientToScreen(mainWindow, &clientOrigin);
  return LogWindowPlacement(outer.left, clientOrigin.y, GetSystemMetrics(SM_CXBORDER),
                            GetSystemMetrics(SM_CYBORDER));
}

// While the frame is drawn, the window's text is the title. An edit control
// answers text queries with its contents, and some platforms draw the
// caption from that answer.
int framePainting = 0;

bool PaintsFrame(UINT message) { return message == WM_NCPAINT || message == WM_NCACTIVATE; }

LRESULT TitleAsText(UINT message, WPARAM size, LPARAM buffer) {
  const int length = static_cast<int>(sizeof kLogWindowTitle) - 1;
  if (message == WM_GETTEXTLENGTH) return length;
  if (size == 0) return 0;
  const int copied = length < static_cast<int>(size) - 1 ? length : static_cast<int>(size) - 1;
  lstrcpynA(reinterpret_cast<char*>(buffer), kLogWindowTitle, copied + 1);
  return copied;
}

LRESULT CALLBACK LogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          ShowWindow(window, SW_HIDE);
          return 0;
        case SC_MOVE:
          return 0;
      }
      break;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (framePainting > 0) return TitleAsText(message, wParam, lParam);
      break;
  }
  if (PaintsFrame(message)) ++framePainting;
  const LRESULT result = CallWindowProcA(editProcedure, window, message, wParam, lParam);
  if (PaintsFrame(message)) --framePainting;
  // The title bar keeps its own text, set again after every replacement of
  // the contents.
  if (message == WM_SETTEXT) {
    ++framePainting;
    DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kLogWindowTitle));
    --framePainting;
  }
  return result;
}

}  // namespace

HWND CreateLogWindow(HWND mainWindow, HINSTANCE instance) {
  const ScreenRect place = PlacementOver(mainWindow);
  // A popup of the edit class needs a client edge to get a title bar on
  // some platforms.
  HWND log = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE, "EDIT", "",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VSCROLL | WS_HSCROLL |
                                 ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                             place.x, place.y, place.width, place.height, mainWindow, nullptr,
                             instance, nullptr);
  editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LogWindowProcedure)));
  DefWindowProcA(log, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kLogWindowTitle));
  SendMessageA(log, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().systemFont), FALSE);
  SendMessageA(log, EM_SETLIMITTEXT, 0xFFFFFFFF, 0);
  return log;
}

void ShowLogWindow(HWND logWindow, bool activate) {
  SetWindowPos(logWindow, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE));
}

void GlueLogWindow(HWND logWindow, HWND mainWindow) {
  const ScreenRect place = PlacementOver(mainWindow);
  SetWindowPos(logWindow, nullptr, place.x, place.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace trellimux
