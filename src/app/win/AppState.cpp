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
  app.closeWhenJobEnds = false;
  app.jobResults = {};
  app.populatingTable = 0;
  app.convertTables.ClearTables();
  app.trimTables.ClearTables();
  app.easyLists = EasyModeLists();
  app.shownEasyListRevisions = {};
  app.lastMenuColumn = 0;
  app.concatInputs.Reset();
  app.concatInputExtension.clear();
  app.cuts.Reset();
  app.trimChoices = {};
  app.trimInputExtension.clear();
  app.concatInputFolder.clear();
  app.convertInputFolder.clear();
  app.trimInputFolder.clear();
  app.outputFolder.clear();
}

HWND Control(int id) { return GetDlgItem(App().mainWindow, id); }

std::optional<int> ListSelection(int id) {
  const LRESULT item = SendMessageA(Control(id), CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return std::nullopt;
  return static_cast<int>(item);
}

void SelectListItem(int id, int item) { SendMessageA(Control(id), CB_SETCURSEL, item, 0); }

std::string ListItemText(int id, int item) {
  HWND list = Control(id);
  const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, item, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::string WindowTextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::string ControlText(int id) { return WindowTextOf(Control(id)); }

void SetControlText(int id, const std::string& text) {
  SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool LampChecked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetLamp(int id, bool checked) {
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace trellimux
