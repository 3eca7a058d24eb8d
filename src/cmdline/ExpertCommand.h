// The Convert page's command in expert mode: one -map and its options per
// checked stream of the parameter table, in row order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "params/StreamTable.h"
#include "text/CommandText.h"

namespace trellimux {

struct ExpertCommandInput {
  bool expertMode = false;
  int containerIndex = 0;          // 0 is the "Container" caption: no choice
  std::size_t sourceRowCount = 0;  // rows of the source table
  std::string_view inputPath;
  std::string_view outputPath;
  std::optional<TimeOfDay> startTime;  // set while its tick box is ticked
  std::optional<TimeOfDay> endTime;
};

// Outside expert mode: nullopt (the command box is left as it is). Without a
// container or without streams: the empty text (the box is emptied).
// Otherwise the whole command text, never cut (see kMaxCommandLength).
std::optional<std::string> BuildExpertCommand(const ExpertCommandInput& input,
                                              const StreamTable& parameters);

}  // namespace trellimux
