#include "params/PageTables.h"

#include "params/ParameterColumns.h"
#include "text/AsciiText.h"

namespace trellimux {

void PageTables::ClearTables() {
  source_.Clear();
  parameters_.Clear();
}

std::optional<ProbeFailure> PageTables::LoadProbeReport(std::string_view report) {
  ClearTables();
  ProbeOutcome outcome = ParseProbeReport(report);
  if (const auto* failure = std::get_if<ProbeFailure>(&outcome)) return *failure;
  const auto& result = std::get<ProbeResult>(outcome);
  LoadProbeResult(result);
  if (page_ == StreamPage::Convert) oddSizeFlag_ = result.oddSizeFlag;
  return std::nullopt;
}

void PageTables::LoadProbeResult(const ProbeResult& result) {
  for (const StreamInfo& stream : result.streams) {
    TableRow row;
    for (int column = 0; column < kParameterColumnCount; ++column)
      row.cells[column] = CellText(stream.texts[column]);
    row.typeTag = stream.typeTag;
    source_.AppendRow(row);
    parameters_.AppendRow(std::move(row));
  }
}

std::optional<std::size_t> PageTables::FindSourceRow(std::string_view streamText) const {
  for (std::size_t row = 0; row < source_.RowCount(); ++row)
    if (EqualsIgnoringCase(source_.GetCell(row, kStream), streamText)) return row;
  return std::nullopt;
}

void PageTables::ResetRowToSource() {
  std::optional<std::size_t> row = parameters_.Selection();
  if (!row) return;
  std::optional<std::size_t> source = FindSourceRow(parameters_.GetCell(*row, kStream));
  if (!source) return;  // cannot happen: both tables come from one report
  for (int column = kType; column < kParameterColumnCount; ++column)
    parameters_.SetCell(*row, column, source_.GetCell(*source, column));
}

void PageTables::ClearRowParameters() {
  std::optional<std::size_t> row = parameters_.Selection();
  if (!row) return;
  for (int column = kCodec; column < kParameterColumnCount; ++column)
    parameters_.SetCell(*row, column, {});
}

void PageTables::MoveRowUp() { MoveSelectedRow(true); }
void PageTables::MoveRowDown() { MoveSelectedRow(false); }

void PageTables::MoveSelectedRow(bool up) {
  std::optional<std::size_t> row = parameters_.Selection();
  if (!row) return;
  if (up ? *row == 0 : *row + 1 >= parameters_.RowCount()) return;
  std::size_t target = up ? *row - 1 : *row + 1;
  // Cells, check state and type tag move together.
  TableRow moved = parameters_.RemoveRow(*row);
  parameters_.InsertRow(target, std::move(moved));
  parameters_.Select(target);
}

}  // namespace trellimux
