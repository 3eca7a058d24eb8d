#include "app/KeyboardOrder.h"

#include <algorithm>
#include <array>

#include "app/ControlIds.h"

namespace trellimux {
namespace {

struct Placed {
  int id;
  ControlPlace place;
};

// Per page: the button Input and Output press.
struct PageButtons {
  Page page;
  int input, output;
};
constexpr std::array<PageButtons, 3> kPageButtons = {{
    {Page::Concat, kConcatAddButton, kConcatOutputButton},
    {Page::Convert, kConvertInputButton, kConvertOutputButton},
    {Page::Trim, kTrimInputButton, kTrimOutputButton},
}};

// A closed drop-down list is one line high; its place holds its list too.
constexpr int kClosedListHeight = 24;

ControlPlace ShownPlace(const ControlEntry& control) {
  ControlPlace place = control.place;
  if (control.kind == ControlKind::DropDownList || control.kind == ControlKind::EasyModeList)
    place.height = std::min(place.height, kClosedListHeight);
  return place;
}

}  // namespace

bool TakesTabStop(ControlKind kind) {
  switch (kind) {
    case ControlKind::TitleLine:
    case ControlKind::GroupBox:
    case ControlKind::PageLamp:
    case ControlKind::ToggleLamp:
    case ControlKind::ProgressBar:
    case ControlKind::MillisecondLabel:
    case ControlKind::MillisecondSpinner:
    case ControlKind::Placeholder:
      return false;
    default:
      return true;
  }
}

namespace {

// `controls` row by row from the top, each row from the left.
void AppendInRows(std::vector<Placed> controls, std::vector<int>& order) {
  std::ranges::stable_sort(controls, {}, [](const Placed& c) { return c.place.y; });
  for (std::size_t begin = 0; begin < controls.size();) {
    const ControlPlace& first = controls[begin].place;
    std::size_t end = begin + 1;
    while (end < controls.size() && controls[end].place.y < first.y + first.height / 2) ++end;
    std::stable_sort(controls.begin() + static_cast<std::ptrdiff_t>(begin),
                     controls.begin() + static_cast<std::ptrdiff_t>(end),
                     [](const Placed& a, const Placed& b) { return a.place.x < b.place.x; });
    for (std::size_t i = begin; i < end; ++i) order.push_back(controls[i].id);
    begin = end;
  }
}

}  // namespace

std::vector<int> ReadingOrder(Page page) {
  std::vector<Placed> own, common;
  for (const ControlEntry& control : MainWindowControls()) {
    if (!TakesTabStop(control.kind)) continue;
    if (control.owner == ControlOwner::Common)
      common.push_back({control.id, ShownPlace(control)});
    else if (ShownWithPage(control, page) ||
             (page == Page::Trim && control.id == kTrimParameterTable))
      own.push_back({control.id, ShownPlace(control)});
  }
  std::vector<int> order;
  AppendInRows(std::move(own), order);
  AppendInRows(std::move(common), order);
  return order;
}

std::optional<int> ButtonOfKey(const KeyPress& press, Page page) {
  if (press.control && !press.shift && press.key >= '1' && press.key <= '4')
    return PageButtonId(static_cast<Page>(press.key - '1'));
  if (press.key == kKeyF5 && !press.control) return press.shift ? kCancelJobButton : kStartButton;
  if (!press.control || press.shift) return std::nullopt;
  if (press.key == 'L') return kShowLogButton;
  if (press.key == 'N' && page == Page::Trim) return kCutAddButton;
  for (const PageButtons& buttons : kPageButtons) {
    if (buttons.page != page) continue;
    if (press.key == 'O') return buttons.input;
    if (press.key == 'S') return buttons.output;
  }
  return std::nullopt;
}

}  // namespace trellimux
