#include "params/StreamTable.h"

#include <stdexcept>

namespace trellimux {

std::string CellText(std::string_view text) { return std::string(text.substr(0, kMaxCellLength)); }

std::string_view StreamTable::GetCell(std::size_t row, int column) const {
  return rows_.at(row).cells.at(static_cast<std::size_t>(column));
}

void StreamTable::SetCell(std::size_t row, int column, std::string_view text) {
  rows_.at(row).cells.at(static_cast<std::size_t>(column)) = CellText(text);
}

void StreamTable::Select(std::optional<std::size_t> row) {
  if (row && *row >= rows_.size()) throw std::out_of_range("StreamTable::Select");
  selection_ = row;
}

void StreamTable::AppendRow(TableRow row) { InsertRow(rows_.size(), std::move(row)); }

void StreamTable::InsertRow(std::size_t position, TableRow row) {
  if (position > rows_.size()) throw std::out_of_range("StreamTable::InsertRow");
  for (std::string& cell : row.cells)
    if (cell.size() > kMaxCellLength) cell.resize(kMaxCellLength);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(row));
  if (selection_ && *selection_ >= position) ++*selection_;
}

TableRow StreamTable::RemoveRow(std::size_t position) {
  TableRow removed = std::move(rows_.at(position));
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
  if (selection_) {
    if (*selection_ == position)
      selection_.reset();
    else if (*selection_ > position)
      --*selection_;
  }
  return removed;
}

void StreamTable::Clear() {
  rows_.clear();
  selection_.reset();
}

}  // namespace trellimux
