#include "jobs/LogText.h"

namespace trellimux {

void AppendLogText(std::string& log, std::string_view bytes) {
  for (char byte : bytes) {
    if (byte == '\n') continue;
    log += byte;
    if (byte == '\r') log += '\n';
  }
}

}  // namespace trellimux
