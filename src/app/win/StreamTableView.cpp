#include "app/win/StreamTableView.h"

#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"

namespace trellimux {
namespace {

int showingDepth = 0;

// Notifications sent while a view is filled from its model are not the
// user's: they must neither change the model nor rebuild a command.
class ShowingGuard {
 public:
  ShowingGuard() { ++showingDepth; }
  ~ShowingGuard() { --showingDepth; }
  ShowingGuard(const ShowingGuard&) = delete;
  ShowingGuard& operator=(const ShowingGuard&) = delete;
};

void SetText(HWND list, int row, int column, std::string_view text) {
  std::string copy(text);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowState(HWND list, const StreamTable& table, std::size_t row) {
  const int index = static_cast<int>(row);
  ListView_SetCheckState(list, index, table.IsChecked(row));
  const UINT selected = table.Selection() == row ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  ListView_SetItemState(list, index, selected, LVIS_SELECTED | LVIS_FOCUSED);
}

}  // namespace

std::optional<PageTableLists> TablesOfPage(Page page) {
  AppState& app = App();
  if (page == Page::Convert)
    return PageTableLists{app.convertTables, kConvertSourceTable, kConvertParameterTable};
  if (page == Page::Trim) return PageTableLists{app.trimTables, kTrimSourceTable, kTrimParameterTable};
  return std::nullopt;
}

std::optional<Page> PageOfStreamList(int listId) {
  if (listId == kConvertSourceTable || listId == kConvertParameterTable) return Page::Convert;
  if (listId == kTrimSourceTable || listId == kTrimParameterTable) return Page::Trim;
  return std::nullopt;
}

void ShowStreamTable(HWND list, const StreamTable& table) {
  ShowingGuard guard;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    std::string stream(table.GetCell(row, 0));
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = stream.data();
    const int index =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column < kParameterColumnCount; ++column)
      SetText(list, index, column, table.GetCell(row, column));
    SetRowState(list, table, row);
  }
  if (const std::optional<std::size_t> selected = table.Selection())
    SendMessageA(list, LVM_ENSUREVISIBLE, *selected, FALSE);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ShowPageTables(const PageTableLists& lists) {
  ShowStreamTable(Control(lists.sourceList), lists.tables.SourceTable());
  ShowStreamTable(Control(lists.parameterList), lists.tables.ParameterTable());
}

void ShowStreamRow(HWND list, const StreamTable& table, std::size_t row) {
  if (row >= table.RowCount()) return;
  ShowingGuard guard;
  for (int column = 1; column < kParameterColumnCount; ++column)
    SetText(list, static_cast<int>(row), column, table.GetCell(row, column));
  SetRowState(list, table, row);
}

bool ShowingStreamTable() { return showingDepth > 0; }

bool TakeRowStateChange(StreamTable& table, const NMLISTVIEW& change) {
  if (change.iSubItem != 0) return false;
  if (change.iItem < 0 || static_cast<std::size_t>(change.iItem) >= table.RowCount()) return true;
  if (!(change.uChanged & LVIF_STATE)) return true;
  const std::size_t row = static_cast<std::size_t>(change.iItem);
  const UINT changed = change.uNewState ^ change.uOldState;
  if (changed & LVIS_STATEIMAGEMASK) {
    // State image 2 is the ticked box, 1 the empty one.
    table.SetChecked(row, ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2);
  }
  if (changed & LVIS_SELECTED) {
    if (change.uNewState & LVIS_SELECTED) {
      table.Select(row);
    } else if (table.Selection() == row) {
      table.Select(std::nullopt);
    }
  }
  return true;
}

}  // namespace trellimux
