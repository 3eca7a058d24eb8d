#include "app/win/WindowWaits.h"

namespace trellimux {
namespace {

DWORD WINAPI RunWork(LPVOID work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

// Dispatches what has come; false once the program is asked to end (the
// request is put back for the main loop).
bool DispatchWaiting() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    // Wide calls, as in the main loop: text reaches edit boxes whole.
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

void RunWhileWindowWaits(HWND window, const std::function<void()>& work) {
  HANDLE worker =
      CreateThread(nullptr, 0, &RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
  if (!worker) {
    work();
    return;
  }
  const bool wasDisabled = EnableWindow(window, FALSE) != 0;
  const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  bool dispatching = true;
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT);
    if (woken != WAIT_OBJECT_0 + 1 || !dispatching) {
      // The worker ended (or waiting failed, or the program is ending):
      // wait for it, as `work` refers to the caller's state.
      WaitForSingleObject(worker, INFINITE);
      break;
    }
    dispatching = DispatchWaiting();
  }
  CloseHandle(worker);
  if (!wasDisabled) EnableWindow(window, TRUE);
  SetCursor(previous);
}

}  // namespace trellimux
