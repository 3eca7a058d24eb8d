#include "app/win/StreamListHeaders.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/ControlIds.h"
#include "app/TableMessages.h"
#include "app/win/AppState.h"
#include "app/win/InPlaceEditor.h"
#include "app/win/ListViewSetup.h"
#include "app/win/MessageBoxes.h"
#include "app/win/StreamTableView.h"

namespace trellimux {
namespace {

constexpr UINT_PTR kHeaderSubclass = 0x4855;  // any number unique to this subclass

HWND HeaderOf(HWND list) { return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)); }

void SetColumnOrder(HWND list, std::vector<int> order) {
  if (order.empty()) return;
  SendMessageA(list, LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  InvalidateRect(list, nullptr, TRUE);
}

// The page's other stream table of `listId`.
int PartnerOf(int listId) {
  const PageTableLists lists = *TablesOfPage(*PageOfStreamList(listId));
  return listId == lists.sourceList ? lists.parameterList : lists.sourceList;
}

void RepaintMainWindow() {
  RedrawWindow(App().mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void OfferDefaultOrder(int listId) {
  AppState& app = App();
  if (ShowMessage(app.mainWindow, kResetColumnsQuestion) == MessageAnswer::No) return;
  const bool convert = PageOfStreamList(listId) == Page::Convert;
  const std::vector<int>& order =
      convert ? app.convertDefaultColumnOrder : app.trimDefaultColumnOrder;
  SetColumnOrder(Control(listId), order);
  SetColumnOrder(Control(PartnerOf(listId)), order);
  RepaintMainWindow();
}

// The header's notification; nullopt for codes that are not ours.
std::optional<LRESULT> OnHeaderNotification(int listId, UINT code) {
  switch (code) {
    case NM_RCLICK:
      OfferDefaultOrder(listId);
      return 0;
    case HDN_BEGINDRAG:
      CloseInPlaceEditor();
      return 0;  // the drag is allowed
    case HDN_ENDDRAG:
      return 0;  // so is the drop
    case NM_RELEASEDCAPTURE:
      SetColumnOrder(Control(PartnerOf(listId)), ColumnOrder(Control(listId)));
      RepaintMainWindow();
      return 0;
  }
  return std::nullopt;
}

LRESULT CALLBACK StreamListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR) {
  if (message == WM_NOTIFY) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom == HeaderOf(list)) {
      // The list view does its own part first (a drop moves its columns).
      const LRESULT own = DefSubclassProc(list, message, wParam, lParam);
      if (const std::optional<LRESULT> result = OnHeaderNotification(GetDlgCtrlID(list), header.code))
        return *result;
      return own;
    }
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void InstallStreamListHeaders() {
  for (Page page : {Page::Convert, Page::Trim}) {
    const PageTableLists lists = *TablesOfPage(page);
    for (int id : {lists.sourceList, lists.parameterList})
      SetWindowSubclass(Control(id), &StreamListProcedure, kHeaderSubclass, 0);
  }
}

}  // namespace trellimux
