#include "app/win/EasyModeView.h"

#include <windows.h>

#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"

namespace trellimux {
namespace {

void FillList(HWND list, const SlotList& slot) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : slot.items)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

void ShowEasyModeLists() {
  AppState& app = App();
  for (int slot = 0; slot < kEasySlotCount; ++slot) {
    HWND list = Control(EasyListId(slot / 10, slot % 10));
    const SlotList& model = app.easyLists.Slot(slot);
    if (app.shownEasyListRevisions[slot] != app.easyLists.Revision(slot)) {
      FillList(list, model);
      app.shownEasyListRevisions[slot] = app.easyLists.Revision(slot);
    }
    const LRESULT selection = model.selection ? *model.selection : -1;
    if (SendMessageA(list, CB_GETCURSEL, 0, 0) != selection)
      SendMessageA(list, CB_SETCURSEL, selection, 0);
    if ((IsWindowEnabled(list) != FALSE) != model.enabled) EnableWindow(list, model.enabled);
  }
}

}  // namespace trellimux
