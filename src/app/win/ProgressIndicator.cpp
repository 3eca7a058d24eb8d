#include "app/win/ProgressIndicator.h"

#include <windows.h>

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/win/AppState.h"
#include "app/win/TaskbarProgress.h"
#include "jobs/win/FrameCaption.h"

namespace trellimux {
namespace {

constexpr int kMarqueeInterval = 30;  // milliseconds between updates

void SetMarqueeStyle(HWND bar, bool marquee) {
  LONG_PTR style = GetWindowLongPtrA(bar, GWL_STYLE);
  style = marquee ? (style | PBS_MARQUEE) : (style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
  SetWindowLongPtrA(bar, GWL_STYLE, style | WS_CHILD | WS_VISIBLE);
}

bool InMarquee(HWND bar) { return (GetWindowLongPtrA(bar, GWL_STYLE) & PBS_MARQUEE) != 0; }

void ShowFrameCaption(std::string_view caption) {
  if (ControlText(kProgressFrame) != caption) SetFrameCaption(Control(kProgressFrame), caption);
}

}  // namespace

void StartProgressIndicator() {
  HWND bar = Control(kProgressBar);
  SetMarqueeStyle(bar, true);
  SendMessageA(bar, PBM_SETMARQUEE, TRUE, kMarqueeInterval);
  ShowTaskbarWorking();
}

void ShowJobShare(const ProgressUpdate& update) {
  HWND bar = Control(kProgressBar);
  if (InMarquee(bar)) {
    SendMessageA(bar, PBM_SETMARQUEE, FALSE, kMarqueeInterval);
    SetMarqueeStyle(bar, false);
    SendMessageA(bar, PBM_SETRANGE32, 0, kProgressRange);
  }
  SendMessageA(bar, PBM_SETPOS, update.permille, 0);
  ShowFrameCaption(ProgressCaptionOf(update));
  ShowTaskbarShare(update.permille, kProgressRange);
}

void PrepareSmoothProgress() {
  HWND bar = Control(kProgressBar);
  SetWindowLongPtrA(bar, GWL_STYLE, WS_CHILD | WS_VISIBLE | PBS_SMOOTH);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
}

void StopProgressIndicator() {
  ShowFrameCaption(FindControl(kProgressFrame)->caption);
  ClearTaskbarProgress();
  HWND bar = Control(kProgressBar);
  SendMessageA(bar, PBM_SETMARQUEE, FALSE, kMarqueeInterval);
  SetMarqueeStyle(bar, false);
  Sleep(100);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  // A bar already at 0 is not redrawn by the position, and the last marquee
  // frame would stay on screen.
  InvalidateRect(bar, nullptr, TRUE);
}

}  // namespace trellimux
