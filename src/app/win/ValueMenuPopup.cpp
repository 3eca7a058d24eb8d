#include "app/win/ValueMenuPopup.h"

#include <string>

#include "app/win/AppState.h"
#include "app/win/StreamTableView.h"
#include "app/win/TableCommands.h"
#include "params/ColumnMenu.h"

namespace trellimux {
namespace {

HMENU lastMenu = nullptr;

HMENU CreateMenuFrom(const ColumnMenu& model) {
  HMENU menu = CreatePopupMenu();
  for (const MenuItem& item : model) {
    if (item.separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), std::string(item.text).c_str());
    }
  }
  return menu;
}

// The chosen item's text as the menu shows it; values are taken from it.
std::string MenuItemText(int id) {
  char text[1024] = {};
  if (lastMenu) GetMenuStringA(lastMenu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
  return text;
}

}  // namespace

void ShowColumnMenu(Page page, int column) {
  if (lastMenu) {
    DestroyMenu(lastMenu);
    lastMenu = nullptr;
  }
  const std::optional<PageTableLists> lists = TablesOfPage(page);
  if (!lists) return;
  const std::optional<ColumnMenu> model = BuildColumnMenu(lists->tables, column);
  if (!model) return;
  lastMenu = CreateMenuFrom(*model);
  POINT pointer{};
  GetCursorPos(&pointer);
  TrackPopupMenu(lastMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pointer.x, pointer.y, 0,
                 App().mainWindow, nullptr);
}

void ApplyValueMenuCommand(Page page, int id) {
  const std::optional<PageTableLists> lists = TablesOfPage(page);
  if (!lists) return;
  const int column = App().lastMenuColumn;
  ApplyMenuChoice(lists->tables, column, id, MenuItemText(id));
  HWND parameterList = Control(lists->parameterList);
  const StreamTable& parameters = lists->tables.ParameterTable();
  if (column == 0) {
    // Row operations may move rows: the whole table is shown again.
    ShowStreamTable(parameterList, parameters);
    SetFocus(parameterList);
  } else if (const std::optional<std::size_t> row = parameters.Selection()) {
    ShowStreamRow(parameterList, parameters, *row);
  }
  RebuildTablePageCommand(page);
}

HMENU LastColumnMenu() { return lastMenu; }

}  // namespace trellimux
