#include "app/win/StreamTableView.h"

#include <commctrl.h>

#include <string>

namespace trellimux {
namespace {

void SetText(HWND list, int row, int column, const std::string& text) {
  std::string copy = text;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void ShowStreamTable(HWND list, const StreamTable& table) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    const TableRow& source = table.Row(row);
    std::string stream = source.cells[0];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = stream.data();
    const int index =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column < kParameterColumnCount; ++column) {
      SetText(list, index, column, source.cells[column]);
    }
    ListView_SetCheckState(list, index, source.checked);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace trellimux
