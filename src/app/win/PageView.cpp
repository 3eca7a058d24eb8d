#include "app/win/PageView.h"

#include <string>

#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/win/AppState.h"
#include "app/win/LogWindow.h"
#include "app/win/TrimPreview.h"

namespace trellimux {
namespace {

void ShowPageControls(Page page, bool show) {
  for (const ControlEntry& control : MainWindowControls()) {
    if (ShownWithPage(control, page)) ShowWindow(Control(control.id), show ? SW_SHOW : SW_HIDE);
  }
  if (page == Page::Trim && !show) ShowWindow(Control(kTrimParameterTable), SW_HIDE);
}

// The command-line box may be typed into while its Edit lamp is on.
void SetCommandBoxWritable(int box, int editLamp) {
  SendMessageA(Control(box), EM_SETREADONLY, LampChecked(editLamp) ? FALSE : TRUE, 0);
}

void FinishPageSwitch(Page page) {
  switch (page) {
    case Page::Information:
      SetFocus(Control(kAboutBox));
      break;
    case Page::Concat:
      SetCommandBoxWritable(kConcatCommandBox, kConcatEditLamp);
      SetFocus(Control(kConcatInputList));
      break;
    case Page::Convert:
      SetCommandBoxWritable(kConvertCommandBox, kConvertEditLamp);
      break;
    case Page::Trim:
      ShowTrimStreamTable();
      SetCommandBoxWritable(kTrimCommandBox, kTrimEditLamp);
      break;
  }
}

// A group box does not clear its old caption when given a shorter one: the
// strip of the window under the caption is drawn afresh.
void SetFrameCaption(Page page) {
  HWND frame = Control(kPageFrame);
  SetWindowTextA(frame, std::string(PageTitle(page)).c_str());
  RECT strip{};
  GetWindowRect(frame, &strip);
  MapWindowPoints(nullptr, App().mainWindow, reinterpret_cast<POINT*>(&strip), 2);
  strip.bottom = strip.top + 20;
  InvalidateRect(App().mainWindow, &strip, TRUE);
}

void EnablePageButtonsAndStart(bool enable) {
  for (int page = 0; page < kPageCount; ++page) {
    EnableWindow(Control(PageButtonId(static_cast<Page>(page))), enable);
  }
  EnableWindow(Control(kStartButton), enable);
}

void SelectConcatChoices(const ConcatChoices& choices, bool enable) {
  SelectListItem(kConcatContainerList, choices.container);
  SelectListItem(kConcatModeList, choices.concatMode);
  EnableWindow(Control(kConcatContainerList), enable);
  EnableWindow(Control(kConcatModeList), enable);
  SetFocus(Control(kConcatInputList));
}

}  // namespace

void ShowPage(Page page) {
  AppState& app = App();
  if (app.currentPage == page) {
    if (page == Page::Concat) SetFocus(Control(kConcatInputList));
    return;
  }
  app.currentPage = page;
  for (int other = 0; other < kPageCount; ++other) {
    SetLamp(PageLampId(static_cast<Page>(other)), other == static_cast<int>(page));
  }
  ShowWindow(app.logWindow, SW_HIDE);
  for (int other = 0; other < kPageCount; ++other) {
    if (other != static_cast<int>(page)) ShowPageControls(static_cast<Page>(other), false);
  }
  SetFrameCaption(page);
  ShowPageControls(page, true);
  // The preview's decoder would hold the Trim input open meanwhile.
  if (page != Page::Trim) PauseTrimPreview();
  FinishPageSwitch(page);
}

void ShowTrimStreamTable() {
  if (App().currentPage != Page::Trim) return;
  const bool parameters =
      TrimShowsParameterTable(App().expertMode.trim == 1, ListSelection(kTrimCutModeList));
  ShowWindow(Control(kTrimParameterTable), parameters ? SW_SHOW : SW_HIDE);
  ShowWindow(Control(kTrimSourceTable), parameters ? SW_HIDE : SW_SHOW);
}

void SetBusy() {
  EnablePageButtonsAndStart(false);
  EnableWindow(App().logWindow, FALSE);
  SetFocus(App().mainWindow);
  ShowLogWindow(App().logWindow, false);
}

void SetIdle() {
  EnablePageButtonsAndStart(true);
  EnableWindow(App().logWindow, TRUE);
  SetFocus(App().logWindow);
}

void ToggleCommandLineEditable(Page page) {
  struct EditControls {
    int* flag;
    int box;
    int lamp;
  };
  TaskFlags& flags = App().commandLineEditable;
  EditControls controls{};
  switch (page) {
    case Page::Concat:
      controls = {&flags.concat, kConcatCommandBox, kConcatEditLamp};
      break;
    case Page::Convert:
      controls = {&flags.convert, kConvertCommandBox, kConvertEditLamp};
      break;
    case Page::Trim:
      controls = {&flags.trim, kTrimCommandBox, kTrimEditLamp};
      break;
    case Page::Information:
      return;
  }
  *controls.flag = *controls.flag == 1 ? 0 : 1;
  const bool editable = *controls.flag == 1;
  SetLamp(controls.lamp, editable);
  SetCommandBoxWritable(controls.box, controls.lamp);
  SetFocus(editable ? Control(controls.box) : App().mainWindow);
}

void EnterConcatExpertMode() {
  const std::optional<ConcatChoices> choices = App().concatChoices.Enter(
      ListSelection(kConcatContainerList), ListSelection(kConcatModeList));
  if (choices) SelectConcatChoices(*choices, true);
}

void LeaveConcatExpertMode() {
  const std::optional<ConcatChoices> choices = App().concatChoices.Leave(
      ListSelection(kConcatContainerList), ListSelection(kConcatModeList));
  if (choices) SelectConcatChoices(*choices, false);
}

}  // namespace trellimux
