#include "jobs/win/JobLog.h"

namespace trellimux {

void ClearJobLog(HWND log) { SendMessageA(log, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }

void AppendJobLog(HWND log, std::string_view text) {
  if (text.empty()) return;
  SendMessageA(log, kAppendLogMessage, text.size(), reinterpret_cast<LPARAM>(text.data()));
}

}  // namespace trellimux
