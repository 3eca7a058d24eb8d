// How a child's output becomes log text: the log is a text box whose lines
// end in CR LF, while ffmpeg ends lines in LF or CR LF and redraws its status
// line after a bare CR.
#pragma once

#include <string>
#include <string_view>

namespace trellimux {

// Appends `bytes` to `log` with every LF dropped and every CR turned into
// CR LF. Each byte is converted on its own, so a CR LF pair split between
// two reads still gives exactly one line break.
void AppendLogText(std::string& log, std::string_view bytes);

}  // namespace trellimux
