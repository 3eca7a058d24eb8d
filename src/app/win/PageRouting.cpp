#include "app/win/PageRouting.h"

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConcatPage.h"
#include "app/win/ConvertPage.h"
#include "app/win/CutTimeFields.h"
#include "app/win/FileChoosers.h"
#include "app/win/InPlaceEditor.h"
#include "app/win/Launchers.h"
#include "app/win/PageView.h"
#include "app/win/StreamTableView.h"
#include "app/win/TableCommands.h"
#include "app/win/TrimPage.h"
#include "app/win/ValueMenuPopup.h"
#include "params/ColumnMenu.h"

namespace trellimux {
namespace {

// A control's handler that takes no arguments; `selectionOnly` handlers run
// only for a drop-down list's selection change, the others for any command.
struct CommandRoute {
  int id;
  bool selectionOnly;
  void (*handler)();
};

void ToggleConcatEdit() { ToggleCommandLineEditable(Page::Concat); }
void ToggleConvertEdit() { ToggleCommandLineEditable(Page::Convert); }
void ToggleTrimEdit() { ToggleCommandLineEditable(Page::Trim); }

// clang-format off
constexpr CommandRoute kCommandRoutes[] = {
  {kConcatAddButton, false, &ChooseConcatInput},
  {kConcatOutputButton, false, &ChooseConcatOutput},
  {kConcatPlayButton, false, &PlayConcatInput},
  {kConcatPlayOutputButton, false, &PlayConcatOutput},
  {kConcatResetButton, false, &ResetConcatInputs},
  {kConcatRemoveButton, false, &RemoveConcatInput},
  {kConcatUpButton, false, &MoveConcatInputUp},
  {kConcatDownButton, false, &MoveConcatInputDown},
  {kConcatExpertButton, false, &ToggleConcatExpertMode},
  {kConcatContainerList, true, &OnConcatContainerChange},
  {kConcatStreamSelectionList, true, &RebuildConcatCommand},
  {kConcatSubtitleList, true, &RebuildConcatCommand},
  {kConcatDataList, true, &RebuildConcatCommand},
  {kConcatModeList, false, &RebuildConcatCommand},  // also opening, closing, focus
  {kConcatEditButton, false, &ToggleConcatEdit},
  {kConvertInputButton, false, &ChooseConvertInput},
  {kConvertOutputButton, false, &ChooseConvertOutput},
  {kConvertPlayInputButton, false, &PlayConvertInput},
  {kConvertPlayOutputButton, false, &PlayConvertOutput},
  {kConvertContainerList, true, &OnConvertContainerChange},
  {kConvertExpertButton, false, &ToggleConvertExpertMode},
  {kConvertEditButton, false, &ToggleConvertEdit},
  {kTrimInputButton, false, &ChooseTrimInput},
  {kTrimOutputButton, false, &ChooseTrimOutput},
  {kTrimPlayInputButton, false, &PlayTrimInput},
  {kTrimPlayOutputButton, false, &PlayTrimOutput},
  {kCutPlayButton, false, &PlayCut},
  {kCutResetButton, false, &ResetCuts},
  {kCutRemoveButton, false, &RemoveCut},
  {kCutUpButton, false, &MoveCutUp},
  {kCutDownButton, false, &MoveCutDown},
  {kCutAddButton, false, &AddCut},
  {kCutModifyButton, false, &ModifyCut},
  {kCutClearTimesButton, false, &ClearCutTimes},
  {kTrimContainerList, true, &OnTrimContainerChange},
  {kTrimCutModeList, true, &OnCutModeChange},
  {kTrimConcatModeList, true, &RebuildTrimCommand},
  {kTrimExpertButton, false, &ToggleTrimExpertMode},
  {kTrimEditButton, false, &ToggleTrimEdit},
};
// clang-format on

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
  if (id == kInPlaceEditor) {
    if (notification == EN_KILLFOCUS) CloseInPlaceEditor();
    return;
  }
  for (const CommandRoute& route : kCommandRoutes) {
    if (route.id != id) continue;
    if (!route.selectionOnly || notification == CBN_SELCHANGE) route.handler();
    return;
  }
}

std::optional<LRESULT> RoutePageNotification(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  if (PageOfStreamList(id) && header.hwndFrom == Control(id))
    return OnStreamListNotification(id, header);
  if (id == kCutList && header.code == NM_CLICK && header.hwndFrom == Control(id)) {
    LoadCut(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    return 0;
  }
  if (header.code == UDN_DELTAPOS &&
      OnMillisecondStep(reinterpret_cast<const NMUPDOWN&>(header))) {
    return 0;
  }
  if ((id == kConvertStartTime || id == kConvertEndTime) && header.code == DTN_DATETIMECHANGE) {
    RebuildConvertCommand();
    return 0;
  }
  return std::nullopt;
}

}  // namespace trellimux
