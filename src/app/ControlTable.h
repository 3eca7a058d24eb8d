// Every control of the main window as data: identifier, kind, caption, place,
// font, owning page and start state. The window creates its controls from
// this table in its order, and the page switches show and hide by it.
#pragma once

#include <span>
#include <string_view>

#include "app/Pages.h"

namespace trellimux {

// What a control is; the window maps each kind to a class and styles.
enum class ControlKind {
  TitleLine,  // centred static text
  PushButton,
  GroupBox,
  PageLamp,            // text-less radio button the program checks itself
  ToggleLamp,          // as PageLamp, lamp of an Edit or Expert Mode toggle
  AboutBox,            // multi-line read-only text, vertical scroll bar
  PathBox,             // one-line read-only path, no border
  BorderedPathBox,     // as PathBox with a border
  CommandBox,          // multi-line command line, vertical scroll bar
  WideCommandBox,      // as CommandBox with a horizontal scroll bar too
  FileList,            // the Concat input list: report view, no extended styles
  SourceTable,         // stream table with header drag-and-drop
  ParameterTable,      // as SourceTable with a check box per row
  TrimSourceTable,     // check boxes, no header drag-and-drop
  TrimParameterTable,  // as ParameterTable, blue text
  CutList,
  DropDownList,
  EasyModeList,  // drop-down list with a horizontal scroll bar
  ProgressBar,
  TimePicker,          // hours, minutes and seconds with spin arrows
  OptionalTimePicker,  // as TimePicker with a check box, unchecked at start
  MillisecondLabel,    // centred static text "000"
  MillisecondSpinner,  // up-down attached to its label
  Placeholder,         // bordered, transparent, disabled static text
  Trackbar,
};

enum class ControlFont { Default, System, Gui, Title, Start };

// The page whose switch shows a control; Common controls are always shown.
enum class ControlOwner { Common, Information, Concat, Convert, Trim };

enum class StartState { Enabled, Disabled };

// Height of the progress bar: the platform's scroll-bar arrow height.
inline constexpr int kSystemBarHeight = -1;

struct ControlPlace {
  int x, y, width, height;
};

struct ControlEntry {
  int id;
  ControlKind kind;
  std::string_view caption;
  ControlPlace place;  // client coordinates; all 0 for a spinner (it sits on its label)
  ControlFont font;
  ControlOwner owner;
  StartState start = StartState::Enabled;
  std::span<const std::string_view> items = {};  // drop-down list items
  int buddy = 0;                                 // a spinner's label
};

// The controls in creation order.
std::span<const ControlEntry> MainWindowControls();

const ControlEntry* FindControl(int id);

// The platform window class of a kind.
std::string_view ControlClassName(ControlKind kind);

// Whether a switch to `page` shows the control. The Trim parameter table is
// not shown by its page's switch: a rule picks one of the two Trim tables.
bool ShownWithPage(const ControlEntry& control, Page page);

// Shown at start, when the Information page is the current page.
bool VisibleAtStart(const ControlEntry& control);

}  // namespace trellimux
