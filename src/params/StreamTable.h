// One stream table: rows of 20 text cells with a check state, a type tag and
// an optional selected row. It is the model a list-view control shows.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "probe/ProbeReport.h"

namespace trellimux {

// Every reader sees at most this many characters of a cell.
inline constexpr std::size_t kMaxCellLength = 1023;

struct TableRow {
  std::array<std::string, kParameterColumnCount> cells;
  bool checked = false;
  TypeTag typeTag{};  // travels with the row when rows are moved
};

class StreamTable {
 public:
  std::size_t RowCount() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const TableRow& Row(std::size_t row) const { return rows_.at(row); }

  std::string_view GetCell(std::size_t row, int column) const;
  // Stores at most kMaxCellLength characters of `text`.
  void SetCell(std::size_t row, int column, std::string_view text);

  bool IsChecked(std::size_t row) const { return rows_.at(row).checked; }
  void SetChecked(std::size_t row, bool checked) { rows_.at(row).checked = checked; }

  // No selection is a real state: row operations then only rebuild.
  std::optional<std::size_t> Selection() const { return selection_; }
  void Select(std::optional<std::size_t> row);

  void AppendRow(TableRow row);
  void InsertRow(std::size_t position, TableRow row);
  TableRow RemoveRow(std::size_t position);
  void Clear();

 private:
  std::vector<TableRow> rows_;
  std::optional<std::size_t> selection_;
};

// Copies at most kMaxCellLength characters.
std::string CellText(std::string_view text);

}  // namespace trellimux
