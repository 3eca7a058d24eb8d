// Driving the page controls of the real main window as a user does: list
// view cells read, clicked and right-clicked with the mouse messages the
// controls receive, drop-down choices with their selection-change command,
// and probes run to their end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/win/WindowTestSupport.h"

namespace trellimux::test {

std::string CellText(int list, int row, int column);
int RowCount(int list);
bool RowChecked(int list, int row);

// Pumps until the running job's completion handler has run.
bool WaitForIdle();

// Selects item `index` of a drop-down list and notifies the main window, as
// a user's choice does (the control does not notify by itself).
void ChooseListItem(int id, int index);
// The items of a drop-down list.
std::vector<std::string> ListItems(int id);
// The index of the item with this text; -1 (and a failed test) if none.
int ListItemIndex(int id, const std::string& text);

// The centre of a cell, in the list's client coordinates.
POINT CellCentre(int list, int row, int column);
// A left or right click on a cell: button down and up, then the messages
// they cause are pumped.
void ClickCell(int list, int row, int column);
void RightClickCell(int list, int row, int column);

// Sets a row's check box as a click on it does.
void CheckRow(int list, int row, bool checked);

}  // namespace trellimux::test
