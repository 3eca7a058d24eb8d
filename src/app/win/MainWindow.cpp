#include "app/win/MainWindow.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/AgreementPrompt.h"
#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/MissingToolsNote.h"
#include "app/ProgramIdentity.h"
#include "app/StaticColours.h"
#include "app/WindowPlacement.h"
#include "app/WindowScale.h"
#include "app/win/AccessibleControls.h"
#include "app/win/AppState.h"
#include "app/win/ControlFactory.h"
#include "app/win/JobControl.h"
#include "app/win/JobStart.h"
#include "app/win/KeyboardRouting.h"
#include "app/win/LogWindow.h"
#include "app/win/MessageBoxes.h"
#include "app/win/PageRouting.h"
#include "app/win/PageView.h"
#include "app/win/SharedResources.h"
#include "app/win/StreamListHeaders.h"
#include "app/win/TaskbarProgress.h"
#include "app/win/TrimPreview.h"
#include "app/win/WindowScaling.h"
#include "jobs/JobKind.h"
#include "jobs/ProgressUpdate.h"
#include "preview/win/FrameMaker.h"
#include "process/ToolInvocation.h"

namespace trellimux {
namespace {

constexpr char kDownloadPage[] = "https://ffmpeg.org/download.html#build-windows";
constexpr char kDocumentationPage[] = "https://ffmpeg.org/documentation.html";

std::string ClassName() { return std::string(kWindowClassName); }

void OpenWebPage(HWND window, const char* address) {
  ShellExecuteA(window, "Open", address, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

bool AskForAgreement(HWND window) {
  PlaySoundA("SystemQuestion", nullptr, SND_ALIAS | SND_ASYNC);
  return ShowMessage(window, kAgreementPrompt) == MessageAnswer::Yes;
}

// Posted once the window is made: it asks after FFmpeg's programs once the
// window shows.
constexpr UINT kCheckToolsMessage = WM_APP + 0x28;

// FFmpeg's programs belong where the program runs them from; the release
// cannot bring them, so a first start says which are missing and offers
// the download page.
void CheckTools(HWND window) {
  std::vector<FfmpegTool> missing;
  for (const FfmpegTool tool : {FfmpegTool::Ffmpeg, FfmpegTool::Ffprobe}) {
    const std::string path = ToolPath(Resources().startDirectory, tool);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) missing.push_back(tool);
  }
  if (missing.empty()) return;
  const std::string text = MissingToolsNoteText(missing, Resources().startDirectory);
  if (ShowMessage(window, MissingToolsNote(text)) == MessageAnswer::Yes)
    OpenWebPage(window, kDownloadPage);
}

constexpr UINT_PTR kMakeControlsTimer = 1;

// Every control of every page, the start page's lamp lit; once per window.
void MakeControls(HWND window) {
  KillTimer(window, kMakeControlsTimer);
  if (GetDlgItem(window, MainWindowControls().back().id)) return;
  CreateControls(window, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)));
  InstallStreamListHeaders();
  InstallTrimPreview();
  NameControlsForScreenReaders();
  SetLamp(PageLampId(Page::Information), true);
}

// Runs inside the prompt's message loop, after the prompt has painted:
// timer messages come only when no paint is due.
void CALLBACK MakeControlsBehindPrompt(HWND window, UINT, UINT_PTR, DWORD) { MakeControls(window); }

LRESULT OnCreate(HWND window, const CREATESTRUCTA& creation) {
  ResetAppState(window);
  PrepareWindowResources(creation.hInstance);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().guiFont), FALSE);
  // Making the controls is most of the start (under Wine the 29 drop-down
  // lists alone took a third of a second): they are made while the user
  // reads the prompt, or after it when the answer came first, and the
  // window shows with all of them either way. Any answer but Yes closes the
  // window unshown.
  SetTimer(window, kMakeControlsTimer, 0, &MakeControlsBehindPrompt);
  const bool agreed = AskForAgreement(window);
  KillTimer(window, kMakeControlsTimer);
  if (!agreed) {
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  MakeControls(window);
  SetFocus(Control(kAboutBox));
  PostMessageA(window, kCheckToolsMessage, 0, 0);
  return 0;
}

void TearDown() {
  StopTrimPreview();
  ReleaseDrawingObjects();
  for (const ControlEntry& control : MainWindowControls()) DestroyWindow(Control(control.id));
  DestroyWindow(App().logWindow);
  App().logWindow = nullptr;
}

// Fades out, releases the drawing objects and controls, then destroys the
// window, whose destruction ends the message loop.
void CloseMainWindow(HWND window) {
  AnimateWindow(window, 500, AW_HIDE | AW_BLEND);
  TearDown();
  DestroyWindow(window);
}

LRESULT OnStaticColour(HDC context, HWND control) {
  const std::optional<StaticColours> colours = StaticColoursOf(GetDlgCtrlID(control));
  if (!colours) return -1;  // the platform's default colours
  const SharedResources& resources = Resources();
  SetTextColor(context, colours->text);
  SetBkMode(context, TRANSPARENT);
  switch (colours->brush) {
    case TextureBrush::Background:
      return reinterpret_cast<LRESULT>(resources.backgroundBrush);
    case TextureBrush::Panel:
      return reinterpret_cast<LRESULT>(resources.panelBrush);
    case TextureBrush::Title:
      return reinterpret_cast<LRESULT>(resources.titleBrush);
  }
  return -1;
}

void OnCommand(HWND window, int id, int notification) {
  if (const std::optional<Page> page = PageOfButton(id)) {
    ShowPage(*page);
    return;
  }
  AppState& app = App();
  switch (id) {
    case kDownloadButton:
      OpenWebPage(window, kDownloadPage);
      break;
    case kShowLogButton:
      if (app.jobKind != 0) break;
      EnableWindow(app.logWindow, TRUE);
      ShowLogWindow(app.logWindow, true);
      break;
    case kCancelJobButton:
      app.cancelRequested = 1;
      break;
    case kStartButton:
      if (app.currentPage == Page::Information) {
        OpenWebPage(window, kDocumentationPage);
      } else {
        StartPageJob(app.currentPage);
      }
      break;
    default:
      RoutePageCommand(id, notification);
      break;
  }
}

// The window moved to a screen of another DPI: laid out again at the scale
// for it, from the place the system suggests.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  SetCurrentScale(WindowScale(dpi, work.right - work.left, work.bottom - work.top));
  const SharedResources before = Resources();
  MakeFonts();
  const double scale = CurrentScale();
  SetWindowPos(window, nullptr, suggested.left, suggested.top, Scaled(kWindowWidth, scale),
               Scaled(kWindowHeight, scale), SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutControlsAgain();
  SendMessageA(App().logWindow, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().systemFont), TRUE);
  FitLogWindow(App().logWindow, window);
  for (HFONT font : {before.guiFont, before.systemFont, before.titleFont, before.startFont})
    DeleteObject(font);  // a stock font stays
  InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A registered message: its number is known only while the program runs.
  if (message == TaskbarButtonCreatedMessage() && message != 0) {
    AttachTaskbarProgress(window);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, *reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        if (MayCloseNow()) CloseMainWindow(window);
        return 0;
      }
      break;
    case WM_CLOSE:
      // Destroyed at once otherwise, leaving a running ffmpeg unseen.
      if (App().jobKind != kNoJob) {
        if (MayCloseNow()) CloseMainWindow(window);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberKeyboardFocus();
      } else if (!HIWORD(wParam) && RestoreKeyboardFocus()) {
        return 0;
      }
      break;
    case WM_MOVE:
      if (IsWindowVisible(App().logWindow)) GlueLogWindow(App().logWindow, window);
      break;
    case WM_PAINT: {
      // Nothing to draw: the class background and the controls do it all.
      // BeginPaint validates only this window; ValidateRect would on some
      // platforms validate the children too, which then never paint.
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const LRESULT brush =
          OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      if (brush != -1) return brush;
      break;
    }
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam));
      break;
    case WM_NOTIFY:
      if (const std::optional<LRESULT> result =
              RoutePageNotification(*reinterpret_cast<const NMHDR*>(lParam))) {
        return *result;
      }
      break;
    case kJobDoneMessage:
      OnJobDone();
      return 0;
    case kBatchStopQuestionMessage:
      return StopTheRestOfTheBatch() ? 1 : 0;
    case kCheckToolsMessage:
      CheckTools(window);
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(kTrimTrackbar)) OnTrimSlider();
      return 0;
    case kPreviewFrameMessage:
      OnPreviewFrame(wParam);
      return 0;
    case kPreviewKeyframesMessage:
      OnPreviewKeyframes();
      return 0;
    case kJobProgressMessage:
      OnJobProgress(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DISPLAYCHANGE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMESUSPEND && lParam != 1) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  LoadClassResources(instance);
  const std::string className = ClassName();
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
  windowClass.lpfnWndProc = &MainWindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = Resources().icon;
  windowClass.hIconSm = Resources().icon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
  windowClass.hbrBackground = Resources().backgroundBrush;
  windowClass.lpszClassName = className.c_str();
  return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  App().barHeight = GetSystemMetrics(SM_CYVSCROLL);
  // Laid out at one scale that fits the screen's work area, centred in it.
  const WindowLayout layout = ChooseWindowLayout();
  SetCurrentScale(layout.scale);
  HWND window =
      CreateWindowExA(0, ClassName().c_str(), std::string(kWindowTitle).c_str(),
                      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, layout.frame.x, layout.frame.y,
                      layout.frame.width, layout.frame.height, nullptr, nullptr, instance, nullptr);
  return IsWindow(window) ? window : nullptr;
}

}  // namespace trellimux
