#include "app/win/TrimPage.h"

#include <windows.h>

#include <utility>

#include "app/ContainerChoice.h"
#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/CutTimeFields.h"
#include "app/win/MessageBoxes.h"
#include "app/win/PageView.h"
#include "app/win/SharedResources.h"
#include "app/win/TextListView.h"
#include "app/win/TrimPreview.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "model/FixedItemLists.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

HWND CutListView() { return Control(kCutList); }

// The model takes the row the user may have clicked since the last change.
CutList& CutsWithViewSelection() {
  CutList& cuts = App().cuts;
  cuts.Select(ListViewSelection(CutListView()));
  return cuts;
}

void ShowCuts() {
  const CutList& cuts = App().cuts;
  std::vector<TextRow> rows;
  rows.reserve(cuts.Size());
  for (std::size_t position = 0; position < cuts.Size(); ++position) {
    const Cut& cut = cuts.Cuts()[position];
    rows.push_back({CutNumberText(position), cut.in, cut.out});
  }
  ShowTextRows(CutListView(), rows, cuts.Selection());
}

void FinishCutChange() {
  ShowCuts();
  RebuildTrimCommand();
}

Cut CutOfFields() { return {CutTimeOfFields(CutEnd::In), CutTimeOfFields(CutEnd::Out)}; }

TrimChoices CurrentChoices() {
  return {ListSelection(kTrimContainerList).value_or(0),
          ListSelection(kTrimCutModeList).value_or(0),
          ListSelection(kTrimConcatModeList).value_or(0)};
}

void SelectChoices(const TrimChoices& choices, bool enable) {
  const std::pair<int, int> selections[] = {{kTrimContainerList, choices.container},
                                            {kTrimCutModeList, choices.cutMode},
                                            {kTrimConcatModeList, choices.concatMode}};
  for (const auto& [list, item] : selections) {
    SelectListItem(list, item);
    EnableWindow(Control(list), enable);
  }
}

void ShowTrimNormalView() {
  SelectChoices(App().trimChoices.LeaveExpert(CurrentChoices()), false);
  ShowTrimStreamTable();
}

void ShowTrimExpertView() {
  SelectChoices(App().trimChoices.EnterExpert(CurrentChoices()), true);
  ShowTrimStreamTable();
}

// The output path takes the container's extension (item 0: the input's);
// false when the container list has no selection.
bool ApplyTrimContainer() {
  const std::optional<int> container = ListSelection(kTrimContainerList);
  if (!container) return false;
  SetControlText(kTrimOutputBox, OutputPathForContainer(ControlText(kTrimOutputBox), *container,
                                                        App().trimInputExtension));
  return true;
}

}  // namespace

void RebuildTrimCommand() { SetControlText(kTrimCommandBox, TrimCommandText()); }

// The page's choices as the builders take them; the texts they refer to
// live as long as this.
struct PageTrimInput {
  std::string inputPath = ControlText(kTrimInputBox);
  std::string outputPath = ControlText(kTrimOutputBox);
  TrimCommandInput input;

  PageTrimInput() {
    input.inputPath = inputPath;
    input.outputPath = outputPath;
    input.tempDir = Resources().tempDir;
    input.cutMode = ListSelection(kTrimCutModeList).value_or(kNoCutMode);
    input.concatMode = ListSelection(kTrimConcatModeList).value_or(kNoConcatMode);
    input.expertMode = App().expertMode.trim == 1;
  }
  PageTrimInput(const PageTrimInput&) = delete;
  PageTrimInput& operator=(const PageTrimInput&) = delete;

  const StreamTable& Streams() const {
    const PageTables& tables = App().trimTables;
    return TrimReadsParameterTable(input.expertMode, input.cutMode) ? tables.ParameterTable()
                                                                    : tables.SourceTable();
  }
};

std::string TrimCommandText(const CopyCutTimes& copies) {
  PageTrimInput page;
  page.input.copyStarts = copies.starts;
  page.input.copyEnds = copies.ends;
  return BuildTrimCommand(page.input, page.Streams(), App().cuts.Cuts());
}

SmartCopyCommand SmartTrimCommand(const SmartCopyFacts& facts) {
  const PageTrimInput page;
  return BuildSmartCopyCommand(page.input, page.Streams(), App().cuts.Cuts(), facts);
}

void AddCut() {
  App().cuts.Append(CutOfFields());
  FinishCutChange();
}

void ModifyCut() {
  CutsWithViewSelection().ReplaceSelected(CutOfFields());
  FinishCutChange();
}

void RemoveCut() {
  CutsWithViewSelection().RemoveSelected();
  FinishCutChange();
}

void MoveCutUp() {
  CutsWithViewSelection().MoveUp();
  FinishCutChange();
}

void MoveCutDown() {
  CutsWithViewSelection().MoveDown();
  FinishCutChange();
}

void ResetCuts() {
  App().cuts.Reset();
  FinishCutChange();
}

void LoadCut(int row) {
  HWND list = CutListView();
  if (row < 0 || row >= ListView_GetItemCount(list)) return;
  LoadCutTime(CutEnd::In, ListViewCellText(list, row, 1));
  LoadCutTime(CutEnd::Out, ListViewCellText(list, row, 2));
}

void PrepareTrimInput(const std::string& path) {
  AppState& app = App();
  app.expertMode.trim = 0;
  ShowTrimNormalView();
  SetLamp(kTrimExpertLamp, false);
  SelectListItem(kTrimConcatModeList, 0);
  app.trimInputExtension = PathExtension(path);
  const RecognisedContainer container = RecogniseContainer(app.trimInputExtension);
  if (container.unsupported) ShowMessage(app.mainWindow, kUnsupportedContainerNote);
  SelectListItem(kTrimContainerList, container.item);
  SetControlText(kTrimOutputBox, container.item > 0 ? std::string(kContainerListA[container.item])
                                                    : app.trimInputExtension);
  const TrimModeDefaults defaults = TrimDefaultsFor(container.item);
  SelectListItem(kTrimConcatModeList, defaults.concatMode);
  SelectListItem(kTrimCutModeList, defaults.cutMode);
}

void OnTrimContainerChange() {
  if (ApplyTrimContainer()) RebuildTrimCommand();
}

void OnCutModeChange() {
  if (App().expertMode.trim == 1) ShowTrimStreamTable();
  RebuildTrimCommand();
  RefreshTrimPreview();  // Copy shows keyframes, the others any frame
}

void ToggleTrimExpertMode() {
  AppState& app = App();
  app.expertMode.trim = app.expertMode.trim == 1 ? 0 : 1;
  const bool entering = app.expertMode.trim == 1;
  if (entering) {
    ShowTrimExpertView();
  } else {
    ShowTrimNormalView();
  }
  SetLamp(kTrimExpertLamp, entering);
  OnTrimContainerChange();
  RefreshTrimPreview();  // the views keep cut modes of their own
}

}  // namespace trellimux
