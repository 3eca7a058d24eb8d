// The pair of stream tables of the Convert or the Trim page: the source table
// (values as probed, never edited) and the parameter table (values wanted in
// the output). Rows of the two are matched by their Stream text.
//
// The four row operations act on the parameter table's selected row. After
// each of them the caller gives the keyboard focus to the parameter table and
// rebuilds the page's command, whether or not a row was selected.
#pragma once

#include <optional>
#include <string_view>

#include "params/StreamTable.h"
#include "probe/ProbeReport.h"

namespace trellimux {

enum class StreamPage { Convert, Trim };

class PageTables {
 public:
  explicit PageTables(StreamPage page) : page_(page) {}

  StreamPage Page() const { return page_; }
  StreamTable& SourceTable() { return source_; }
  const StreamTable& SourceTable() const { return source_; }
  StreamTable& ParameterTable() { return parameters_; }
  const StreamTable& ParameterTable() const { return parameters_; }

  // Nonzero when a stream of the last successfully parsed Convert input has an
  // odd width or height; unchanged by a failed parse and on the Trim page.
  unsigned OddSizeFlag() const { return oddSizeFlag_; }

  // Empties both tables (a new input was chosen).
  void ClearTables();

  // Empties both tables, parses a probe report and, on success, loads it. On
  // failure the tables stay empty and the failure is returned for the caller
  // to show.
  std::optional<ProbeFailure> LoadProbeReport(std::string_view report);

  // Appends every stream to both tables, unchecked and unselected.
  void LoadProbeResult(const ProbeResult& result);

  // The source row whose Stream text equals `streamText` (ASCII case ignored).
  std::optional<std::size_t> FindSourceRow(std::string_view streamText) const;

  void ResetRowToSource();    // cells 1-19 from the source row; check state kept
  void ClearRowParameters();  // cells 2-19 emptied; Stream and Type kept
  void MoveRowUp();
  void MoveRowDown();

 private:
  void MoveSelectedRow(bool up);

  StreamPage page_;
  StreamTable source_;
  StreamTable parameters_;
  unsigned oddSizeFlag_ = 0;
};

}  // namespace trellimux
