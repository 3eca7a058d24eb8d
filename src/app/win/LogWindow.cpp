#include "app/win/LogWindow.h"

#include <shellapi.h>

#include <optional>
#include <string_view>

#include "app/WindowPlacement.h"
#include "app/win/KeptLogFile.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowScaling.h"
#include "jobs/LogTail.h"
#include "jobs/win/JobLog.h"

namespace trellimux {
namespace {

// How much of a large log the window shows (see LogTail): 230 to 460 lines
// of ffmpeg's messages.
constexpr std::size_t kShownLogSize = 16 * 1024;

WNDPROC editProcedure = nullptr;

// Shows the window's changes not yet shown (posted to the window itself).
constexpr UINT kShowLogMessage = WM_APP + 0x27;

// The window's log: kept in a file once it outgrows the window. A change
// waits in `unshown` for the window's next turn, so that the writer's call
// ends before the window is redrawn and a message that came meanwhile is
// answered in between; changes that come before that turn are shown as one.
struct WindowLog {
  KeptLogFile file;
  LogTail tail{kShownLogSize, [this](std::string_view text) { return file.Write(text); },
               file.Path()};
  std::optional<ShownLogChange> unshown;
};

WindowLog* LogOf(HWND window) {
  return reinterpret_cast<WindowLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

ScreenRect PlacementOver(HWND mainWindow) {
  RECT outer{};
  GetWindowRect(mainWindow, &outer);
  POINT clientOrigin{0, 0};
  ClientToScreen(mainWindow, &clientOrigin);
  return LogWindowPlacement(outer.left, clientOrigin.y, GetSystemMetrics(SM_CXBORDER),
                            GetSystemMetrics(SM_CYBORDER), CurrentScale());
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

LRESULT CallEdit(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return CallWindowProcA(editProcedure, window, message, wParam, lParam);
}

// The bars' scroll positions and ranges, to see which ones a change moved.
struct ScrollBars {
  SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
};

ScrollBars ScrollBarsOf(HWND window) {
  ScrollBars bars;
  GetScrollInfo(window, SB_VERT, &bars.vertical);
  GetScrollInfo(window, SB_HORZ, &bars.horizontal);
  return bars;
}

bool SameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

void RedrawIfMoved(HWND window, int bar, SCROLLINFO now, const SCROLLINFO& before) {
  if (SameScroll(now, before)) return;
  now.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  SetScrollInfo(window, bar, &now, TRUE);
}

// The caret at the very end of the text, whatever the user selected; its
// position in characters.
DWORD CaretToEnd(HWND window) {
  CallEdit(window, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  DWORD end = 0;
  CallEdit(window, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  return end;
}

// Shows the change at the end of the text, scrolled to it. Under Wine every
// scroll-bar update of the edit control draws the bar in full, even when
// nothing moved, and a themed bar is some twenty blits that each ask the
// server about the display: one insertion cost 130-300 server round trips,
// slow while a child printing at full speed keeps the server busy. So the
// change is made with drawing off; then only a bar that moved is drawn and
// the text is painted once. A replacement goes in on a line of its own
// after the old text, which is then deleted above the view with that line
// break: selecting text in view would have the control invalidate it line
// by line, a round trip per line, and the old text's unfinished last line
// joined to the new first one would widen the horizontal scroll range for
// good.
void Show(HWND window, const ShownLogChange& change) {
  const bool replace = change.kind == ShownLogChange::Kind::Replace;
  const std::string added = replace ? "\r\n" + change.text : change.text;
  // A hidden window draws nothing, and turning drawing back on would show it.
  const bool drawn = IsWindowVisible(window);
  const ScrollBars before = ScrollBarsOf(window);
  const bool painted = !GetUpdateRect(window, nullptr, FALSE);
  // The window's own handling: the edit control's would keep drawing its bars.
  if (drawn) DefWindowProcA(window, WM_SETREDRAW, FALSE, 0);
  const DWORD oldEnd = CaretToEnd(window);
  CallEdit(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
  if (replace) {
    CallEdit(window, EM_SETSEL, 0, oldEnd + 2);
    CallEdit(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    CaretToEnd(window);
    CallEdit(window, EM_SCROLLCARET);
  }
  if (drawn) {
    DefWindowProcA(window, WM_SETREDRAW, TRUE, 0);
    // Drawing back on would repaint the whole frame, title bar and bars; in
    // a window that had nothing left to paint, only what changed needs it.
    if (painted)
      RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    const ScrollBars after = ScrollBarsOf(window);
    RedrawIfMoved(window, SB_VERT, after.vertical, before.vertical);
    RedrawIfMoved(window, SB_HORZ, after.horizontal, before.horizontal);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void ShowUnshown(HWND window, WindowLog& log) {
  if (!log.unshown) return;
  const ShownLogChange change = std::move(*log.unshown);
  log.unshown.reset();
  Show(window, change);
}

void ShowLater(HWND window, WindowLog& log, ShownLogChange change) {
  if (log.unshown && change.kind == ShownLogChange::Kind::Append) {
    log.unshown->text += change.text;
    return;
  }
  const bool posted = log.unshown || PostMessageA(window, kShowLogMessage, 0, 0);
  log.unshown = std::move(change);
  if (!posted) ShowUnshown(window, log);
}

// A double-click on the notice line of a log that outgrew the window opens
// the whole log with the program registered for text files, or with Notepad
// where none is.
bool OpensKeptLog(HWND window, LPARAM point) {
  WindowLog* log = LogOf(window);
  if (!log || !log->tail.Kept()) return false;
  const LRESULT at = CallEdit(window, EM_CHARFROMPOS, 0, point);
  if (HIWORD(at) != 0) return false;
  const std::string& path = log->file.Path();
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(window, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) {
    const std::string quoted = "\"" + path + "\"";
    ShellExecuteA(window, "open", "notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL);
  }
  return true;
}

LRESULT CALLBACK LogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kAppendLogMessage:
      if (WindowLog* log = LogOf(window)) {
        const std::string_view text(reinterpret_cast<const char*>(lParam), wParam);
        ShowLater(window, *log, log->tail.Add(text));
      }
      return 0;
    case kShowLogMessage:
      if (WindowLog* log = LogOf(window)) ShowUnshown(window, *log);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OpensKeptLog(window, lParam)) return 0;
      break;
    case WM_NCDESTROY:
      delete LogOf(window);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
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
      if (WindowLog* log = LogOf(window)) ShowUnshown(window, *log);  // the text as it is now
      break;
    case WM_SETTEXT:  // a new log: the one kept before is gone
      if (WindowLog* log = LogOf(window)) {
        log->unshown.reset();
        log->file.Delete();
        log->tail.Reset(lParam ? reinterpret_cast<const char*>(lParam) : "");
      }
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
  SetWindowLongPtrA(log, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new WindowLog));
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

std::string KeptLogPath(HWND logWindow) {
  const WindowLog* log = LogOf(logWindow);
  return log && log->tail.Kept() ? log->file.Path() : std::string();
}

void FitLogWindow(HWND logWindow, HWND mainWindow) {
  const ScreenRect place = PlacementOver(mainWindow);
  SetWindowPos(logWindow, nullptr, place.x, place.y, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void GlueLogWindow(HWND logWindow, HWND mainWindow) {
  const ScreenRect place = PlacementOver(mainWindow);
  SetWindowPos(logWindow, nullptr, place.x, place.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace trellimux
