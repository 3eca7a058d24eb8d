#include "cmdline/ExpertCommand.h"

#include "cmdline/StreamOptions.h"

namespace trellimux {

std::optional<std::string> BuildExpertCommand(const ExpertCommandInput& input,
                                              const StreamTable& parameters) {
  if (!input.expertMode) return std::nullopt;
  if (input.containerIndex < 1 || input.sourceRowCount == 0) return std::string();

  std::string command = " -fflags genpts -i";
  AppendQuotedPath(command, input.inputPath);
  if (input.startTime) command += " -ss " + FormatTimeOfDay(*input.startTime);

  AppendMappedStreams(command, parameters, input.sourceRowCount, StreamOptionRules{});

  if (input.endTime) command += " -to " + FormatTimeOfDay(*input.endTime);
  AppendQuotedPath(command, input.outputPath);
  return command;
}

}  // namespace trellimux
