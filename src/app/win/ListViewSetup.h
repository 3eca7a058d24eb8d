// The shared look of the six list views and their columns.
#pragma once

#include <windows.h>

#include <vector>

#include "app/ControlTable.h"

namespace trellimux {

// Text colours of the stream tables: blue while a table can be edited.
inline constexpr COLORREF kTableText = RGB(0, 0, 0);
inline constexpr COLORREF kEditableTableText = RGB(0, 0, 255);

bool IsListView(ControlKind kind);

// Report view on silver with the panel texture tiled behind the rows, the
// kind's extended styles and columns. After the columns of a source table are
// made, its header order is kept as the page's default column order.
void SetUpListView(HWND list, const ControlEntry& control);

// Its columns' widths at the current scale.
void ScaleColumns(HWND list, ControlKind kind);

// The header's column order; the column count is taken modulo 256.
std::vector<int> ColumnOrder(HWND list);

}  // namespace trellimux
