#include "app/win/PageRouting.h"

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConvertPage.h"
#include "app/win/PageView.h"
#include "app/win/StreamTableView.h"
#include "app/win/TableCommands.h"
#include "params/ColumnMenu.h"
#include "params/win/InPlaceEditor.h"
#include "params/win/ValueMenuPopup.h"

namespace trellimux {
namespace {

bool IsParameterList(int id) { return id == kConvertParameterTable || id == kTrimParameterTable; }

// A right-click on a parameter table: an open editor is only closed;
// otherwise the clicked column's menu opens for the selected row.
LRESULT OnParameterRightClick(Page page, const NMITEMACTIVATE& click) {
  if (InPlaceEditorWindow()) {
    CloseInPlaceEditor();
    return 0;
  }
  const std::optional<PageTableLists> lists = TablesOfPage(page);
  if (!lists || !lists->tables.ParameterTable().Selection()) return 0;
  App().lastMenuColumn = click.iSubItem;
  ShowColumnMenu(page, click.iSubItem);
  return 1;
}

// A check box or selection changed: the model follows the view, and the
// page's command is rebuilt unless the change came from loading a report.
void OnItemChanged(int listId, Page page, const NMLISTVIEW& change) {
  if (ShowingStreamTable() || listId == kConvertSourceTable) return;
  const std::optional<PageTableLists> lists = TablesOfPage(page);
  if (!lists) return;
  const bool parameters = IsParameterList(listId);
  StreamTable& table = parameters ? lists->tables.ParameterTable() : lists->tables.SourceTable();
  if (!TakeRowStateChange(table, change)) return;
  // The Trim source table rebuilds even while a report is loaded.
  if (parameters && App().populatingTable != 0) return;
  RebuildTablePageCommand(page);
}

std::optional<LRESULT> OnStreamListNotification(int listId, const NMHDR& header) {
  const Page page = *PageOfStreamList(listId);
  switch (header.code) {
    case NM_CLICK:
      if (!IsParameterList(listId)) break;
      {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        OpenInPlaceEditor(page, click.iItem, click.iSubItem);
      }
      return 0;
    case NM_RCLICK:
      if (!IsParameterList(listId)) break;
      return OnParameterRightClick(page, reinterpret_cast<const NMITEMACTIVATE&>(header));
    case LVN_ITEMCHANGED:
      OnItemChanged(listId, page, reinterpret_cast<const NMLISTVIEW&>(header));
      return 0;
  }
  return std::nullopt;
}

}  // namespace

void RoutePageCommand(int id, int notification) {
  if (id >= kFirstMenuChoiceId && id < kMenuChoiceEnd) {
    const Page page = App().currentPage;
    if (page == Page::Convert || page == Page::Trim) ApplyValueMenuCommand(page, id);
    return;
  }
  if (EasySlotOfId(id) >= 0) {
    if (notification == CBN_SELCHANGE) OnEasySlotChange(id);
    return;
  }
  switch (id) {
    case kInPlaceEditor:
      if (notification == EN_KILLFOCUS) CloseInPlaceEditor();
      break;
    case kConvertContainerList:
      if (notification == CBN_SELCHANGE) OnConvertContainerChange();
      break;
    case kConvertExpertButton:
      ToggleConvertExpertMode();
      break;
    case kConcatEditButton:
      ToggleCommandLineEditable(Page::Concat);
      break;
    case kConvertEditButton:
      ToggleCommandLineEditable(Page::Convert);
      break;
    case kTrimEditButton:
      ToggleCommandLineEditable(Page::Trim);
      break;
  }
}

std::optional<LRESULT> RoutePageNotification(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  if (PageOfStreamList(id) && header.hwndFrom == Control(id))
    return OnStreamListNotification(id, header);
  if ((id == kConvertStartTime || id == kConvertEndTime) && header.code == DTN_DATETIMECHANGE) {
    RebuildConvertCommand();
    return 0;
  }
  return std::nullopt;
}

}  // namespace trellimux
