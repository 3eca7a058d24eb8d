#include "app/ControlTable.h"

#include "app/ControlIds.h"
#include "app/ProgramIdentity.h"
#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

using K = ControlKind;
using F = ControlFont;
using O = ControlOwner;
constexpr StartState kDisabled = StartState::Disabled;
constexpr StartState kEnabled = StartState::Enabled;

// clang-format off
constexpr ControlEntry kControls[] = {
  // Title line, download button and page frame.
  {kTitleLine, K::TitleLine, kProductName, {8, 8, 1076, 35}, F::Title, O::Common},
  {kDownloadButton, K::PushButton, "Download FFmpeg", {1100, 6, 156, 39}, F::System, O::Common},
  {kPageFrame, K::GroupBox, " Information - About this application ", {16, 52, 1068, 624}, F::System, O::Common},
  // Page lamps and buttons, job controls.
  {kInformationLamp, K::PageLamp, "", {1088, 86, 28, 28}, F::Default, O::Common},
  {kInformationButton, K::PushButton, "Information", {1128, 80, 128, 40}, F::System, O::Common},
  {kConcatLamp, K::PageLamp, "", {1088, 146, 28, 28}, F::Default, O::Common},
  {kConcatButton, K::PushButton, "Concat", {1128, 140, 128, 40}, F::System, O::Common},
  {kConvertLamp, K::PageLamp, "", {1088, 206, 28, 28}, F::Default, O::Common},
  {kConvertButton, K::PushButton, "Convert", {1128, 200, 128, 40}, F::System, O::Common},
  {kTrimLamp, K::PageLamp, "", {1088, 266, 28, 28}, F::Default, O::Common},
  {kTrimButton, K::PushButton, "Trim", {1128, 260, 128, 40}, F::System, O::Common},
  {kProgressFrame, K::GroupBox, " Progress ", {1100, 408, 156, 172}, F::System, O::Common},
  {kProgressBar, K::ProgressBar, "", {1110, 446, 136, kSystemBarHeight}, F::Default, O::Common},
  {kShowLogButton, K::PushButton, "Show last log", {1118, 480, 120, 32}, F::Default, O::Common},
  {kCancelJobButton, K::PushButton, "Cancel Job", {1118, 528, 120, 32}, F::Default, O::Common},
  {kStartButton, K::PushButton, "Start", {1108, 604, 142, 52}, F::Start, O::Common},

  // Information page; the About text is filled in by the window.
  {kAboutBox, K::AboutBox, "", {24, 80, 1052, 589}, F::System, O::Information},

  // Concat page.
  {kConcatInputList, K::FileList, "", {24, 80, 920, 324}, F::System, O::Concat},
  {kConcatPlayButton, K::PushButton, "Play", {954, 112, 120, 32}, F::System, O::Concat},
  {kConcatResetButton, K::PushButton, "Reset", {954, 162, 120, 32}, F::System, O::Concat},
  {kConcatRemoveButton, K::PushButton, "Remove", {954, 212, 120, 32}, F::System, O::Concat},
  {kConcatAddButton, K::PushButton, "Add", {954, 262, 120, 32}, F::System, O::Concat},
  {kConcatUpButton, K::PushButton, "Up", {954, 312, 120, 32}, F::System, O::Concat},
  {kConcatDownButton, K::PushButton, "Down", {954, 362, 120, 32}, F::System, O::Concat},
  {kConcatOutputBox, K::PathBox, "", {24, 420, 920, 24}, F::System, O::Concat},
  {kConcatPlayOutputButton, K::PushButton, ">", {954, 420, 24, 24}, F::System, O::Concat},
  {kConcatOutputButton, K::PushButton, "Output", {988, 418, 86, 28}, F::System, O::Concat},
  {kConcatExpertLamp, K::ToggleLamp, "", {952, 556, 20, 28}, F::Default, O::Concat},
  {kConcatExpertButton, K::PushButton, "Expert Mode", {972, 556, 102, 28}, F::System, O::Concat},
  {kConcatContainerList, K::DropDownList, "", {954, 460, 120, 208}, F::System, O::Concat, kDisabled, kContainerListA},
  {kConcatStreamSelectionList, K::DropDownList, "", {24, 460, 476, 160}, F::System, O::Concat, kEnabled, kStreamSelectionList},
  {kConcatSubtitleList, K::DropDownList, "", {516, 460, 206, 127}, F::System, O::Concat, kEnabled, kSubtitleList},
  {kConcatDataList, K::DropDownList, "", {738, 460, 206, 127}, F::System, O::Concat, kEnabled, kDataList},
  {kConcatModeList, K::DropDownList, "", {954, 501, 120, 167}, F::System, O::Concat, kDisabled, kConcatModeListA},
  {kConcatEditLamp, K::ToggleLamp, "", {952, 606, 20, 28}, F::Default, O::Concat},
  {kConcatEditButton, K::PushButton, "Edit", {972, 606, 102, 28}, F::System, O::Concat},
  {kConcatCommandBox, K::CommandBox, "", {24, 501, 920, 167}, F::System, O::Concat},

  // Convert page.
  {kConvertInputBox, K::BorderedPathBox, "", {24, 76, 920, 24}, F::System, O::Convert},
  {kConvertPlayInputButton, K::PushButton, ">", {954, 76, 24, 24}, F::System, O::Convert},
  {kConvertInputButton, K::PushButton, "Input", {988, 74, 86, 28}, F::System, O::Convert},
  {kConvertSourceTable, K::SourceTable, "", {24, 108, 1052, 161}, F::Gui, O::Convert},
  {kConvertOutputBox, K::BorderedPathBox, "", {24, 280, 920, 24}, F::System, O::Convert},
  {kConvertPlayOutputButton, K::PushButton, ">", {954, 280, 24, 24}, F::System, O::Convert},
  {kConvertOutputButton, K::PushButton, "Output", {988, 278, 86, 28}, F::System, O::Convert},
  {kConvertParameterTable, K::ParameterTable, "", {24, 312, 1052, 161}, F::Gui, O::Convert, kDisabled},
  {EasyListId(0, 0), K::EasyModeList, "", {24, 480, 90, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 1), K::EasyModeList, "", {120, 480, 86, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 2), K::EasyModeList, "", {212, 480, 70, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 3), K::EasyModeList, "", {288, 480, 166, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 4), K::EasyModeList, "", {460, 480, 62, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 5), K::EasyModeList, "", {528, 480, 88, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 6), K::EasyModeList, "", {622, 480, 84, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 7), K::EasyModeList, "", {712, 480, 70, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 8), K::EasyModeList, "", {788, 480, 76, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(0, 9), K::EasyModeList, "", {870, 480, 74, 192}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 0), K::EasyModeList, "", {24, 509, 90, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 1), K::EasyModeList, "", {120, 509, 86, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 2), K::EasyModeList, "", {212, 509, 70, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 3), K::EasyModeList, "", {288, 509, 166, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 4), K::EasyModeList, "", {460, 509, 62, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 5), K::EasyModeList, "", {528, 509, 88, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 6), K::EasyModeList, "", {622, 509, 84, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 7), K::EasyModeList, "", {712, 509, 70, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 8), K::EasyModeList, "", {788, 509, 76, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {EasyListId(1, 9), K::EasyModeList, "", {870, 509, 74, 163}, F::Gui, O::Convert, kEnabled, kEasyModeStartList},
  {kConvertContainerList, K::DropDownList, "", {954, 537, 120, 131}, F::System, O::Convert, kEnabled, kContainerListB},
  {kConvertStartTime, K::OptionalTimePicker, "", {954, 477, 120, 26}, F::Default, O::Convert},
  {kConvertEndTime, K::OptionalTimePicker, "", {954, 506, 120, 26}, F::Default, O::Convert},
  {kConvertEditLamp, K::ToggleLamp, "", {952, 624, 20, 28}, F::Default, O::Convert},
  {kConvertEditButton, K::PushButton, "Edit", {972, 624, 102, 28}, F::System, O::Convert},
  {kConvertExpertLamp, K::ToggleLamp, "", {952, 578, 20, 28}, F::Default, O::Convert},
  {kConvertExpertButton, K::PushButton, "Expert Mode", {972, 578, 102, 28}, F::System, O::Convert},
  {kConvertCommandBox, K::CommandBox, "", {24, 537, 920, 131}, F::System, O::Convert},

  // Trim page.
  {kTrimInputBox, K::BorderedPathBox, "", {24, 76, 920, 24}, F::System, O::Trim},
  {kTrimPlayInputButton, K::PushButton, ">", {954, 76, 24, 24}, F::System, O::Trim},
  {kTrimInputButton, K::PushButton, "Input", {988, 74, 86, 28}, F::System, O::Trim},
  {kTrimSourceTable, K::TrimSourceTable, "", {24, 108, 1052, 161}, F::Gui, O::Trim},
  {kTrimParameterTable, K::TrimParameterTable, "", {24, 108, 1052, 161}, F::Gui, O::Trim},
  {kTrimOutputBox, K::PathBox, "", {24, 280, 920, 24}, F::System, O::Trim},
  {kTrimPlayOutputButton, K::PushButton, ">", {954, 280, 24, 24}, F::System, O::Trim},
  {kTrimOutputButton, K::PushButton, "Output", {988, 278, 86, 28}, F::System, O::Trim},
  {kTrimPlaceholder, K::Placeholder,
   "\r\n\r\n    Preview: once an input is chosen and probed, its first picture\r\n"
   "    shows here.\r\n\r\n"
   "    Move the slider below with the mouse, the arrow keys (one frame)\r\n"
   "    or Page Up/Down to see the picture at that time.\r\n\r\n"
   "    Press I or O on the slider, or right-click the picture, to take\r\n"
   "    its time as the cut's start or end. With cut mode \"Copy\" the\r\n"
   "    picture is the keyframe where a copied cut really begins.",
   {24, 316, 525, 225}, F::System, O::Trim, kDisabled},
  {kTrimTrackbar, K::Trackbar, "", {24, 544, 525, 34}, F::Default, O::Trim, kDisabled},
  {kCutList, K::CutList, "", {558, 316, 385, 185}, F::System, O::Trim},
  {kCutPlayButton, K::PushButton, "Play", {970, 320, 86, 24}, F::System, O::Trim},
  {kCutResetButton, K::PushButton, "Reset", {970, 351, 86, 24}, F::System, O::Trim},
  {kCutRemoveButton, K::PushButton, "Remove", {970, 382, 86, 24}, F::System, O::Trim},
  {kCutUpButton, K::PushButton, "Up", {970, 413, 86, 24}, F::System, O::Trim},
  {kCutDownButton, K::PushButton, "Down", {970, 444, 86, 24}, F::System, O::Trim},
  {kCutAddButton, K::PushButton, "Add", {970, 475, 86, 24}, F::System, O::Trim},
  {kCutModifyButton, K::PushButton, "Modify Cut", {953, 509, 104, 24}, F::System, O::Trim},
  {kCutClearTimesButton, K::PushButton, "X", {561, 509, 42, 24}, F::System, O::Trim},
  {kCutInTime, K::TimePicker, "", {612, 508, 88, 26}, F::Default, O::Trim},
  {kCutInMilliseconds, K::MillisecondLabel, "000", {706, 511, 66, 20}, F::System, O::Trim},
  {kCutInSpinner, K::MillisecondSpinner, "", {0, 0, 0, 0}, F::Default, O::Trim, kEnabled, {}, kCutInMilliseconds},
  {kCutOutTime, K::TimePicker, "", {768, 508, 88, 26}, F::Default, O::Trim},
  {kCutOutMilliseconds, K::MillisecondLabel, "000", {862, 511, 66, 20}, F::System, O::Trim},
  {kCutOutSpinner, K::MillisecondSpinner, "", {0, 0, 0, 0}, F::Default, O::Trim, kEnabled, {}, kCutOutMilliseconds},
  {kTrimContainerList, K::DropDownList, "", {972, 549, 102, 119}, F::System, O::Trim, kDisabled, kContainerListA},
  {kTrimCutModeList, K::DropDownList, "", {561, 549, 180, 119}, F::System, O::Trim, kDisabled, kCutModeList},
  {kTrimConcatModeList, K::DropDownList, "", {764, 549, 180, 119}, F::System, O::Trim, kDisabled, kConcatModeListB},
  {kTrimEditLamp, K::ToggleLamp, "", {952, 630, 20, 28}, F::Default, O::Trim},
  {kTrimEditButton, K::PushButton, "Edit", {972, 630, 102, 28}, F::System, O::Trim},
  {kTrimExpertLamp, K::ToggleLamp, "", {952, 588, 20, 28}, F::Default, O::Trim},
  {kTrimExpertButton, K::PushButton, "Expert Mode", {972, 588, 102, 28}, F::System, O::Trim},
  {kTrimCommandBox, K::WideCommandBox, "", {24, 583, 920, 85}, F::System, O::Trim},
};
// clang-format on

ControlOwner OwnerOf(Page page) {
  switch (page) {
    case Page::Information:
      return ControlOwner::Information;
    case Page::Concat:
      return ControlOwner::Concat;
    case Page::Convert:
      return ControlOwner::Convert;
    case Page::Trim:
      return ControlOwner::Trim;
  }
  return ControlOwner::Common;
}

}  // namespace

std::span<const ControlEntry> MainWindowControls() { return kControls; }

const ControlEntry* FindControl(int id) {
  for (const ControlEntry& control : kControls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

std::string_view ControlClassName(ControlKind kind) {
  switch (kind) {
    case K::TitleLine:
    case K::MillisecondLabel:
    case K::Placeholder:
      return "STATIC";
    case K::PushButton:
    case K::GroupBox:
    case K::PageLamp:
    case K::ToggleLamp:
      return "BUTTON";
    case K::AboutBox:
    case K::PathBox:
    case K::BorderedPathBox:
    case K::CommandBox:
    case K::WideCommandBox:
      return "EDIT";
    case K::FileList:
    case K::SourceTable:
    case K::ParameterTable:
    case K::TrimSourceTable:
    case K::TrimParameterTable:
    case K::CutList:
      return "SysListView32";
    case K::DropDownList:
    case K::EasyModeList:
      return "ComboBox";
    case K::ProgressBar:
      return "msctls_progress32";
    case K::TimePicker:
    case K::OptionalTimePicker:
      return "SysDateTimePick32";
    case K::MillisecondSpinner:
      return "msctls_updown32";
    case K::Trackbar:
      return "msctls_trackbar32";
  }
  return "STATIC";
}

bool ShownWithPage(const ControlEntry& control, Page page) {
  return control.owner == OwnerOf(page) && control.id != kTrimParameterTable;
}

bool VisibleAtStart(const ControlEntry& control) {
  return control.owner == ControlOwner::Common || ShownWithPage(control, Page::Information);
}

}  // namespace trellimux
