#include "app/win/ListViewSetup.h"

#include <commctrl.h>

#include <span>
#include <string>

#include "app/ControlIds.h"
#include "app/ListColumns.h"
#include "app/WindowScale.h"
#include "app/win/AppState.h"
#include "app/win/ControlStyles.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowScaling.h"
#include "params/ParameterColumns.h"

namespace trellimux {
namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);

std::span<const ParameterColumn> ColumnsOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::FileList:
      return kFileListColumns;
    case ControlKind::CutList:
      return kCutListColumns;
    default:
      return kParameterColumns;
  }
}

}  // namespace

void ScaleColumns(HWND list, ControlKind kind) {
  const std::span<const ParameterColumn> columns = ColumnsOf(kind);
  for (std::size_t i = 0; i < columns.size(); ++i)
    SendMessageA(list, LVM_SETCOLUMNWIDTH, i, Scaled(columns[i].width, CurrentScale()));
}

namespace {

void InsertColumns(HWND list, std::span<const ParameterColumn> columns) {
  int index = 0;
  for (const ParameterColumn& column : columns) {
    std::string header(column.header);
    LVCOLUMNA item{};
    item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    item.fmt = column.alignment == ColumnAlignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
    item.cx = Scaled(column.width, CurrentScale());
    item.pszText = header.data();
    item.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&item));
    ++index;
  }
}

// The panel texture already tiled to the list's size: some platforms draw a
// background bitmap only once, whatever the tile style asks. Each list gets a
// bitmap of its own, as a list may take ownership of its background image.
HBITMAP TiledPanel(HWND list) {
  RECT area{};
  GetClientRect(list, &area);
  HDC screen = GetDC(nullptr);
  HDC drawing = CreateCompatibleDC(screen);
  HBITMAP tiled = CreateCompatibleBitmap(screen, area.right, area.bottom);
  HGDIOBJ previous = SelectObject(drawing, tiled);
  FillRect(drawing, &area, Resources().panelBrush);
  SelectObject(drawing, previous);
  DeleteDC(drawing);
  ReleaseDC(nullptr, screen);
  return tiled;
}

void SetLook(HWND list, COLORREF text) {
  SendMessageA(list, LVM_SETBKCOLOR, 0, kSilver);
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, text);
  LVBKIMAGEA image{};
  image.ulFlags = LVBKIF_SOURCE_HBITMAP | LVBKIF_STYLE_TILE;
  image.hbm = TiledPanel(list);
  image.xOffsetPercent = 0;
  image.yOffsetPercent = 0;
  SendMessageA(list, LVM_SETBKIMAGEA, 0, reinterpret_cast<LPARAM>(&image));
}

}  // namespace

bool IsListView(ControlKind kind) { return ControlClassName(kind) == "SysListView32"; }

void SetUpListView(HWND list, const ControlEntry& control) {
  if (const DWORD extended = StylesOf(control.kind).listViewStyle) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  }
  SetLook(list, control.kind == ControlKind::TrimParameterTable ? kEditableTableText : kTableText);
  InsertColumns(list, ColumnsOf(control.kind));
  if (control.id == kConvertSourceTable) App().convertDefaultColumnOrder = ColumnOrder(list);
  if (control.id == kTrimSourceTable) App().trimDefaultColumnOrder = ColumnOrder(list);
}

std::vector<int> ColumnOrder(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) & 0xFF;
  std::vector<int> order(count);
  if (count > 0) {
    SendMessageA(list, LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()));
  }
  return order;
}

}  // namespace trellimux
