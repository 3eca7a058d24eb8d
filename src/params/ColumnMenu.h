// The popup menus of a parameter table's cells: the row operations on the
// Stream column, and on the other columns the values that fit the row's
// stream type and codec. A menu is a model here; the window shows it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "params/PageTables.h"

namespace trellimux {

// Item identifiers: the title is an ordinary item that does nothing; choices
// run from kFirstMenuChoiceId up to, not including, kMenuChoiceEnd.
inline constexpr int kMenuTitleId = 0x8000;
inline constexpr int kFirstMenuChoiceId = 0x8001;
inline constexpr int kMenuChoiceEnd = 0x8100;

struct MenuItem {
  int id = 0;  // 0 for the separator
  std::string_view text;
  bool separator = false;
};

using ColumnMenu = std::vector<MenuItem>;

// The menu a right-click on `column` opens for the parameter table's selected
// row: the stream menu on column 0 (whatever the selection), nothing on the
// Type column, nothing without a selected row, nothing for a row that is not
// video, audio or subtitle. A value menu whose list is empty holds the title,
// the separator and "delete Parameter" only.
std::optional<ColumnMenu> BuildColumnMenu(const PageTables& tables, int column);

// A choice from the menu of `column`. `chosenText` is the chosen item's text
// as read back from the menu (values are taken from it). Acts on the row
// selected now; without one nothing changes. The caller then gives the
// parameter table the focus (stream menu) and rebuilds the page's command.
void ApplyMenuChoice(PageTables& tables, int column, int id, std::string_view chosenText);

}  // namespace trellimux
