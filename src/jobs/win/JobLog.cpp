#include "jobs/win/JobLog.h"

#include <string>

namespace trellimux {

void ClearJobLog(HWND log) { SendMessageA(log, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }

void AppendJobLog(HWND log, std::string_view text) {
  if (text.empty()) return;
  const std::string terminated(text);
  const LRESULT end = SendMessageA(log, WM_GETTEXTLENGTH, 0, 0);
  SendMessageA(log, EM_SETSEL, end, end);
  SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

}  // namespace trellimux
