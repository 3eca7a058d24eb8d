#include "app/win/TableTestSupport.h"

#include <commctrl.h>

#include "app/win/AppState.h"
#include "app/win/TextListView.h"
#include "jobs/JobKind.h"

namespace trellimux::test {
namespace {

constexpr DWORD kJobLimit = 60000;

LPARAM PointParameter(POINT point) { return MAKELPARAM(point.x, point.y); }

void ClickWith(UINT down, UINT up, WPARAM buttons, int list, int row, int column) {
  const POINT centre = CellCentre(list, row, column);
  // The controls read the pointer too (menus open at it): put it there.
  POINT screen = centre;
  ClientToScreen(Control(list), &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(Control(list), down, buttons, PointParameter(centre));
  PostMessageA(Control(list), up, 0, PointParameter(centre));
  PumpMessages();
}

}  // namespace

std::string CellText(int list, int row, int column) {
  return ListViewCellText(Control(list), row, column);
}

int RowCount(int list) {
  return static_cast<int>(SendMessageA(Control(list), LVM_GETITEMCOUNT, 0, 0));
}

bool RowChecked(int list, int row) { return ListView_GetCheckState(Control(list), row) != 0; }

bool WaitForIdle() { return PumpUntil([] { return App().jobKind == kNoJob; }, kJobLimit); }

void ChooseListItem(int id, int index) {
  SendMessageA(Control(id), CB_SETCURSEL, index, 0);
  SendMessageA(App().mainWindow, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Control(id)));
}

std::vector<std::string> ListItems(int id) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(Control(id), CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(Control(id), CB_GETLBTEXTLEN, i, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(Control(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    items.push_back(text);
  }
  return items;
}

POINT CellCentre(int list, int row, int column) {
  RECT cell{};
  cell.top = column;
  // For column 0 the bounds are those of the whole row; its label is the cell.
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageA(Control(list), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void ClickCell(int list, int row, int column) {
  ClickWith(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, list, row, column);
}

void RightClickCell(int list, int row, int column) {
  ClickWith(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, list, row, column);
}

void CheckRow(int list, int row, bool checked) {
  ListView_SetCheckState(Control(list), row, checked);
  PumpMessages();
}

int ListItemIndex(int id, const std::string& text) {
  const std::vector<std::string> items = ListItems(id);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == text) return static_cast<int>(i);
  ADD_FAILURE() << text << " is not in list " << id;
  return -1;
}

}  // namespace trellimux::test
