// Stream tables written out row by row for the command builders' tests.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "params/ParameterColumns.h"
#include "params/StreamTable.h"

namespace trellimux {

struct RowCells {
  const char* stream;
  const char* type;
  bool checked;
  std::vector<std::pair<int, const char*>> cells;  // column and text
};

inline StreamTable Rows(std::initializer_list<RowCells> rows) {
  StreamTable table;
  for (const RowCells& wanted : rows) {
    TableRow row;
    row.cells[kStream] = wanted.stream;
    row.cells[kType] = wanted.type;
    for (const auto& [column, text] : wanted.cells) row.cells[column] = text;
    row.checked = wanted.checked;
    row.typeTag = MakeTypeTag(wanted.type);
    table.AppendRow(row);
  }
  return table;
}

}  // namespace trellimux
