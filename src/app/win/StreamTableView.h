// Shows the stream table models of the Convert and Trim pages in their list
// views (rows, texts, check states and the selected row), and keeps the
// models in step with the check-box clicks and selections the user makes.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "app/Pages.h"
#include "params/PageTables.h"

namespace trellimux {

// A page's pair of stream tables with the identifiers of their list views.
struct PageTableLists {
  PageTables& tables;
  int sourceList;
  int parameterList;
};

// The Convert and the Trim page have stream tables; the others none.
std::optional<PageTableLists> TablesOfPage(Page page);
// The page whose source or parameter list has this identifier.
std::optional<Page> PageOfStreamList(int listId);

void ShowStreamTable(HWND list, const StreamTable& table);
void ShowPageTables(const PageTableLists& lists);
// One row's texts and check state, after its cells changed.
void ShowStreamRow(HWND list, const StreamTable& table, std::size_t row);

// True while the views are being filled from a model: their change
// notifications then say nothing about the user's doing.
bool ShowingStreamTable();

// A list view's item change: its check state and selection go into the
// model. True when the change concerns a row itself (sub-item 0).
bool TakeRowStateChange(StreamTable& table, const NMLISTVIEW& change);

}  // namespace trellimux
