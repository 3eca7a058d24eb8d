#include "process/ChildCommandLine.h"

namespace trellimux {

std::optional<std::string> ChildCommandLine(std::string_view programPath,
                                            std::string_view arguments) {
  std::string line = "\"";
  line += programPath;
  line += '"';
  // A quote followed directly by text would join both into one argument.
  if (!arguments.empty() && arguments.front() != ' ' && arguments.front() != '\t') line += ' ';
  line += arguments;
  if (line.size() + 1 > kMaxChildCommandLine) return std::nullopt;
  return line;
}

}  // namespace trellimux
