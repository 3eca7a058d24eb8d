// Plain list views of text rows with one selected row (the Concat input list
// and the cut list): the models own the rows, the views are refilled from
// them and hand their selection back.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace trellimux {

using TextRow = std::vector<std::string>;  // one text per column

// Replaces the view's rows; the selected row also gets the focus mark and is
// scrolled into view.
void ShowTextRows(HWND list, const std::vector<TextRow>& rows, std::optional<std::size_t> selection);

// The view's selected row, or nullopt.
std::optional<std::size_t> ListViewSelection(HWND list);

// One cell's text, read with room for 1023 characters.
std::string ListViewCellText(HWND list, int row, int column);

}  // namespace trellimux
