#include "app/win/AppState.h"

namespace trellimux {

AppState& App() {
  static AppState state;
  return state;
}

void ResetAppState(HWND mainWindow) {
  AppState& app = App();
  app.mainWindow = mainWindow;
  app.logWindow = nullptr;
  app.currentPage = Page::Information;
  app.expertMode = {};
  app.commandLineEditable = {};
  app.concatChoices = {};
  app.convertDefaultColumnOrder.clear();
  app.trimDefaultColumnOrder.clear();
  app.jobKind = 0;
  app.cancelRequested = 0;
}

HWND Control(int id) { return GetDlgItem(App().mainWindow, id); }

std::optional<int> ListSelection(int id) {
  const LRESULT item = SendMessageA(Control(id), CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return std::nullopt;
  return static_cast<int>(item);
}

bool LampChecked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetLamp(int id, bool checked) {
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace trellimux
