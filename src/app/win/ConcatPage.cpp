#include "app/win/ConcatPage.h"

#include <windows.h>

#include "app/ContainerChoice.h"
#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/MessageBoxes.h"
#include "app/win/PageView.h"
#include "app/win/SharedResources.h"
#include "app/win/TextListView.h"
#include "concat/ConcatCommand.h"
#include "concat/ContainerDefaults.h"
#include "jobs/win/PartSeamReads.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

HWND InputList() { return Control(kConcatInputList); }

// The model takes the row the user may have clicked since the last change.
ConcatInputList& InputsWithViewSelection() {
  ConcatInputList& inputs = App().concatInputs;
  inputs.Select(ListViewSelection(InputList()));
  return inputs;
}

void ShowInputs() {
  const ConcatInputList& inputs = App().concatInputs;
  std::vector<TextRow> rows;
  rows.reserve(inputs.Paths().size());
  for (const std::string& path : inputs.Paths()) rows.push_back({path});
  ShowTextRows(InputList(), rows, inputs.Selection());
}

// Both memories of the container and concat-mode choices take the lists'.
void RecordConcatChoices() {
  const std::optional<int> container = ListSelection(kConcatContainerList);
  const std::optional<int> mode = ListSelection(kConcatModeList);
  App().concatChoices.RememberForBoth({container.value_or(0), mode.value_or(0)});
}

bool ApplyConcatContainerMode() {
  const std::optional<int> container = ListSelection(kConcatContainerList);
  if (!container) return false;
  SelectListItem(kConcatModeList, ContainerDefaults(*container).concatMode);
  return true;
}

// An emptied list leaves the page as it was at start, options aside.
void ClearPageForEmptyList() {
  SelectListItem(kConcatContainerList, 0);
  SelectListItem(kConcatModeList, 0);
  RecordConcatChoices();
  SetControlText(kConcatOutputBox, "");
  SetControlText(kConcatCommandBox, "");
}

// The first file of a new list decides the page's container and defaults.
void SetUpForFirstInput(const std::string& path) {
  AppState& app = App();
  LeaveConcatExpertMode();
  app.expertMode.concat = 0;
  SetLamp(kConcatExpertLamp, false);
  SelectListItem(kConcatModeList, 0);
  SetControlText(kConcatOutputBox, std::string(PathFolder(path)));
  const std::string_view extension = PathExtension(path);
  app.concatInputExtension = extension;
  const RecognisedContainer container = RecogniseContainer(extension);
  if (container.unsupported) ShowMessage(app.mainWindow, kUnsupportedContainerNote);
  SelectListItem(kConcatContainerList, container.item);
  ApplyConcatContainer();
  ApplyConcatContainerMode();
  RecordConcatChoices();
}

void FinishListChange() {
  ShowInputs();
  RebuildConcatCommand();
  SetFocus(InputList());
}

}  // namespace

void RebuildConcatCommand() {
  AppState& app = App();
  const std::string outputPath = ControlText(kConcatOutputBox);
  ConcatCommandInput input;
  input.inputs = app.concatInputs.Paths();
  input.concatMode = ListSelection(kConcatModeList);
  // ffmpeg's "concat:" input reads MPEG-TS parts from their seams as the
  // byte join does; the other modes read each file whole.
  std::vector<std::int64_t> starts;
  static PartStartMemory remembered;
  if (input.concatMode == kFileConcat) starts = remembered.Starts(app.concatInputs.Paths());
  input.inputStarts = starts;
  input.streamSelection = ListSelection(kConcatStreamSelectionList);
  input.subtitles = ListSelection(kConcatSubtitleList);
  input.data = ListSelection(kConcatDataList);
  input.startDirectory = Resources().startDirectory;
  input.outputPath = outputPath;
  const ConcatCommand command = BuildConcatCommand(input);
  switch (command.outcome) {
    case ConcatCommandOutcome::Replace:
      SetControlText(kConcatCommandBox, command.text);
      break;
    case ConcatCommandOutcome::KeepBox:
      break;
    case ConcatCommandOutcome::Error:
      ShowMessage(app.mainWindow, kConcatCommandError);
      break;
  }
}

std::string_view ConcatFilterExtension() {
  return App().concatInputs.Empty() ? std::string_view() : App().concatInputExtension;
}

void AddConcatInput(const std::string& path) { AddConcatInputs({path}); }

void AddConcatInputs(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (App().concatInputs.Empty()) SetUpForFirstInput(paths.front());
  for (const std::string& path : paths) App().concatInputs.Append(path);
  FinishListChange();
}

void RemoveConcatInput() {
  ConcatInputList& inputs = InputsWithViewSelection();
  inputs.Remove();
  if (inputs.Empty()) {
    ShowInputs();
    ClearPageForEmptyList();
    SetFocus(InputList());
    return;
  }
  FinishListChange();
}

void MoveConcatInputUp() {
  if (InputsWithViewSelection().MoveUp()) {
    FinishListChange();
  } else {
    SetFocus(InputList());
  }
}

void MoveConcatInputDown() {
  if (InputsWithViewSelection().MoveDown()) {
    FinishListChange();
  } else {
    SetFocus(InputList());
  }
}

void ResetConcatInputs() {
  App().concatInputs.Reset();
  ShowInputs();
  ClearPageForEmptyList();
  SetFocus(InputList());
}

bool ApplyConcatContainer() {
  const std::optional<int> container = ListSelection(kConcatContainerList);
  if (!container) return false;
  SetControlText(kConcatOutputBox, OutputPathForContainer(ControlText(kConcatOutputBox), *container,
                                                          App().concatInputExtension));
  const ConcatDefaults defaults = ContainerDefaults(*container);
  SelectListItem(kConcatStreamSelectionList, defaults.streamSelection);
  SelectListItem(kConcatSubtitleList, defaults.subtitles);
  SelectListItem(kConcatDataList, defaults.data);
  return true;
}

void OnConcatContainerChange() {
  if (ApplyConcatContainer()) RebuildConcatCommand();
}

void ToggleConcatExpertMode() {
  AppState& app = App();
  app.expertMode.concat = app.expertMode.concat == 1 ? 0 : 1;
  const bool entering = app.expertMode.concat == 1;
  if (entering) {
    EnterConcatExpertMode();
  } else {
    LeaveConcatExpertMode();
  }
  SetLamp(kConcatExpertLamp, entering);
  OnConcatContainerChange();
}

}  // namespace trellimux
