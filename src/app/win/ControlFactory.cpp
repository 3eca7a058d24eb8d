#include "app/win/ControlFactory.h"

#include <commctrl.h>

#include <string>

#include "app/AboutText.h"
#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/WindowScale.h"
#include "app/win/AppState.h"
#include "app/win/ControlStyles.h"
#include "app/win/ListViewSetup.h"
#include "app/win/LogWindow.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowScaling.h"

namespace trellimux {
namespace {

HFONT FontOf(const ControlEntry& control) {
  const SharedResources& resources = Resources();
  switch (control.font) {
    case ControlFont::System:
      return resources.systemFont;
    case ControlFont::Gui:
      return resources.guiFont;
    case ControlFont::Title:
      return resources.titleFont;
    case ControlFont::Start:
      return resources.startFont;
    case ControlFont::Default:
      // A button without a font draws with the stock System font, which
      // does not follow the scale (and Wine squeezes it into the DPI's
      // height): the window's System font, the same at scale 1, instead.
      if (control.kind == ControlKind::PushButton) return resources.systemFont;
      break;
  }
  return nullptr;
}

void FillList(HWND list, const ControlEntry& control) {
  for (std::string_view item : control.items) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(item).c_str()));
  }
  SendMessageA(list, CB_SETCURSEL, 0, 0);
}

// Hours, minutes and seconds with spin arrows; the date part is never shown.
void SetUpTimePicker(HWND picker, bool optional) {
  SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH':'mm':'ss"));
  SYSTEMTIME midnight{};
  midnight.wYear = 2000;
  midnight.wMonth = 1;
  midnight.wDay = 1;
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&midnight));
  // No time given: the check box starts unchecked. The pointer must be a real
  // time even with GDT_NONE, or some platforms leave the box checked.
  if (optional)
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&midnight));
}

void SetUpSpinner(HWND spinner, const ControlEntry& control) {
  SendMessageA(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(control.buddy)), 0);
  SendMessageA(spinner, UDM_SETRANGE32, 0, 999);
  SendMessageA(spinner, UDM_SETPOS32, 0, 0);
}

// A control's place at the current scale; the progress bar as high as the
// platform's scroll-bar arrows.
ControlPlace PlaceOf(const ControlEntry& control) {
  ControlPlace place = Scaled(control.place, CurrentScale());
  if (control.place.height == kSystemBarHeight) place.height = App().barHeight;
  return place;
}

void SetThumbLength(HWND trackbar) {
  SendMessageA(trackbar, TBM_SETTHUMBLENGTH, Scaled(20, CurrentScale()), 0);
}

void SetUpTrackbar(HWND trackbar) {
  SendMessageA(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageA(trackbar, TBM_SETPOS, TRUE, 0);
  SendMessageA(trackbar, TBM_SETLINESIZE, 0, 1);
  SendMessageA(trackbar, TBM_SETPAGESIZE, 0, 1);
  SetThumbLength(trackbar);
  SendMessageA(trackbar, TBM_SETTIPSIDE, TBTS_TOP, 0);
}

void SetUp(HWND window, const ControlEntry& control) {
  switch (control.kind) {
    case ControlKind::AboutBox:
      SetWindowTextA(window, std::string(AboutText()).c_str());
      break;
    case ControlKind::CommandBox:
    case ControlKind::WideCommandBox:
      SendMessageA(window, EM_SETLIMITTEXT, 0xFFFFFFFF, 0);
      break;
    case ControlKind::DropDownList:
    case ControlKind::EasyModeList:
      FillList(window, control);
      break;
    case ControlKind::TimePicker:
      SetUpTimePicker(window, false);
      break;
    case ControlKind::OptionalTimePicker:
      SetUpTimePicker(window, true);
      break;
    case ControlKind::MillisecondSpinner:
      SetUpSpinner(window, control);
      break;
    case ControlKind::Trackbar:
      SetUpTrackbar(window);
      break;
    default:
      if (IsListView(control.kind)) SetUpListView(window, control);
      break;
  }
}

HWND Create(HWND mainWindow, HINSTANCE instance, const ControlEntry& control) {
  const ControlStyles styles = StylesOf(control.kind);
  DWORD style = WS_CHILD | styles.style;
  if (VisibleAtStart(control)) style |= WS_VISIBLE;
  if (control.start == StartState::Disabled) style |= WS_DISABLED;
  const ControlPlace place = PlaceOf(control);
  HWND window = CreateWindowExA(
      styles.exStyle, std::string(ControlClassName(control.kind)).c_str(),
      std::string(control.caption).c_str(), style, place.x, place.y, place.width, place.height,
      mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  if (HFONT font = FontOf(control)) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return window;
}

}  // namespace

void LayOutControlsAgain() {
  for (const ControlEntry& control : MainWindowControls()) {
    HWND window = Control(control.id);
    if (!window) continue;
    const ControlPlace place = PlaceOf(control);
    if (control.kind != ControlKind::MillisecondSpinner)  // it sits on its label
      SetWindowPos(window, nullptr, place.x, place.y, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (HFONT font = FontOf(control))
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (IsListView(control.kind)) ScaleColumns(window, control.kind);
    if (control.kind == ControlKind::Trackbar) SetThumbLength(window);
  }
  for (const ControlEntry& control : MainWindowControls())
    if (control.kind == ControlKind::MillisecondSpinner)
      SendMessageA(Control(control.id), UDM_SETBUDDY,
                   reinterpret_cast<WPARAM>(Control(control.buddy)), 0);
}

void CreateControls(HWND mainWindow, HINSTANCE instance) {
  for (const ControlEntry& control : MainWindowControls()) {
    SetUp(Create(mainWindow, instance, control), control);
    if (control.id == kStartButton) App().logWindow = CreateLogWindow(mainWindow, instance);
  }
  // The page frame surrounds the page's controls: kept below them, it never
  // clips the stream tables (which clip their siblings for the in-place
  // editor's sake).
  SetWindowPos(Control(kPageFrame), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace trellimux
