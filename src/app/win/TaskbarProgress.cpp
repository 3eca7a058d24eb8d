#include "app/win/TaskbarProgress.h"

#include <shobjidl.h>

namespace trellimux {
namespace {

struct Taskbar {
  HWND window = nullptr;
  ITaskbarList3* list = nullptr;
};

Taskbar& TheTaskbar() {
  static Taskbar taskbar;
  return taskbar;
}

}  // namespace

UINT TaskbarButtonCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarButtonCreated");
  return message;
}

void AttachTaskbarProgress(HWND mainWindow) {
  Taskbar& taskbar = TheTaskbar();
  taskbar.window = mainWindow;
  if (taskbar.list) return;
  // The window thread's apartment; a second call on it is harmless.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ITaskbarList3* list = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ITaskbarList3, reinterpret_cast<void**>(&list))) ||
      !list) {
    return;
  }
  if (FAILED(list->HrInit())) {
    list->Release();
    return;
  }
  taskbar.list = list;
}

void ShowTaskbarWorking() {
  const Taskbar& taskbar = TheTaskbar();
  if (taskbar.list) taskbar.list->SetProgressState(taskbar.window, TBPF_INDETERMINATE);
}

void ShowTaskbarShare(int done, int total) {
  const Taskbar& taskbar = TheTaskbar();
  if (!taskbar.list || total <= 0) return;
  taskbar.list->SetProgressState(taskbar.window, TBPF_NORMAL);
  taskbar.list->SetProgressValue(taskbar.window, static_cast<ULONGLONG>(done),
                                 static_cast<ULONGLONG>(total));
}

void ClearTaskbarProgress() {
  const Taskbar& taskbar = TheTaskbar();
  if (taskbar.list) taskbar.list->SetProgressState(taskbar.window, TBPF_NOPROGRESS);
}

}  // namespace trellimux
