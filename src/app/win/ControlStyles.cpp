#include "app/win/ControlStyles.h"

#include <commctrl.h>

namespace trellimux {
namespace {

constexpr DWORD kLamp = BS_RADIOBUTTON | BS_CENTER | BS_VCENTER;
constexpr DWORD kCommandBox = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER;
// Clipped by their siblings: the in-place editor lies over a table.
constexpr DWORD kListView =
    LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_CLIPSIBLINGS;
constexpr DWORD kTable = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
constexpr DWORD kDropDown = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kPicker = DTS_UPDOWN | WS_TABSTOP;
constexpr DWORD kPathBox = ES_READONLY | ES_AUTOHSCROLL;

struct KindStyles {
  ControlKind kind;
  ControlStyles styles;
};

// clang-format off
constexpr KindStyles kStyles[] = {
  {ControlKind::TitleLine, {SS_CENTER | SS_CENTERIMAGE, 0, 0}},
  {ControlKind::PushButton, {BS_PUSHBUTTON | WS_TABSTOP, 0, 0}},
  {ControlKind::GroupBox, {BS_GROUPBOX, 0, 0}},
  {ControlKind::PageLamp, {kLamp | BS_LEFTTEXT, 0, 0}},
  {ControlKind::ToggleLamp, {kLamp, 0, 0}},
  {ControlKind::AboutBox, {ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0}},
  {ControlKind::PathBox, {kPathBox, 0, 0}},
  {ControlKind::BorderedPathBox, {kPathBox | WS_BORDER, 0, 0}},
  {ControlKind::CommandBox, {kCommandBox, 0, 0}},
  {ControlKind::WideCommandBox, {kCommandBox | ES_AUTOHSCROLL | WS_HSCROLL, 0, 0}},
  {ControlKind::FileList, {kListView, 0, 0}},
  {ControlKind::SourceTable, {kListView, 0, kTable | LVS_EX_HEADERDRAGDROP}},
  {ControlKind::ParameterTable, {kListView, 0, kTable | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES}},
  {ControlKind::TrimSourceTable, {kListView, 0, kTable | LVS_EX_CHECKBOXES}},
  {ControlKind::TrimParameterTable, {kListView, 0, kTable | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES}},
  {ControlKind::CutList, {kListView, 0, kTable}},
  {ControlKind::DropDownList, {kDropDown, 0, 0}},
  {ControlKind::EasyModeList, {kDropDown | WS_HSCROLL, 0, 0}},
  {ControlKind::ProgressBar, {0, 0, 0}},
  {ControlKind::TimePicker, {kPicker, 0, 0}},
  {ControlKind::OptionalTimePicker, {kPicker | DTS_SHOWNONE, 0, 0}},
  {ControlKind::MillisecondLabel, {SS_CENTER, 0, 0}},
  {ControlKind::MillisecondSpinner,
   {UDS_WRAP | UDS_ARROWKEYS | UDS_HOTTRACK | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT, 0, 0}},
  {ControlKind::Placeholder, {WS_BORDER, WS_EX_TRANSPARENT, 0}},
  {ControlKind::Trackbar,
   {TBS_AUTOTICKS | TBS_TOP | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH | TBS_TOOLTIPS, 0, 0}},
};
// clang-format on

}  // namespace

ControlStyles StylesOf(ControlKind kind) {
  for (const KindStyles& entry : kStyles) {
    if (entry.kind == kind) return entry.styles;
  }
  return {};
}

}  // namespace trellimux
