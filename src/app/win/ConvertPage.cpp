#include "app/win/ConvertPage.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/ControlIds.h"
#include "app/TableMessages.h"
#include "app/win/AppState.h"
#include "app/win/EasyModeView.h"
#include "app/win/ListViewSetup.h"
#include "app/win/MessageBoxes.h"
#include "batch/ConvertBatch.h"
#include "cmdline/ContainerPresets.h"
#include "cmdline/EasyCommand.h"
#include "cmdline/ExpertCommand.h"
#include "model/FixedItemLists.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

// The picker's time while its tick box is ticked.
std::optional<TimeOfDay> PickedTime(int id) {
  SYSTEMTIME time{};
  if (SendMessageA(Control(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
      GDT_VALID) {
    return std::nullopt;
  }
  return TimeOfDay{time.wHour, time.wMinute, time.wSecond};
}

int SelectedContainer() {
  const int container = ListSelection(kConvertContainerList).value_or(0);
  return container >= 0 && container < kConvertContainerCount ? container : 0;
}

bool InExpertMode() { return App().expertMode.convert == 1; }

// The output path loses its extension and takes the container's, if one is
// chosen; an empty path becomes the bare extension.
void ApplyContainerExtension(int container) {
  const std::string extension(container > 0 ? kContainerListB[container] : "");
  SetControlText(kConvertOutputBox, ReplaceExtension(ControlText(kConvertOutputBox), extension));
}

// Blue text while the table can be edited, black while it is locked.
void EnableParameterTable(bool enable) {
  HWND table = Control(kConvertParameterTable);
  EnableWindow(table, enable);
  SendMessageA(table, LVM_SETTEXTCOLOR, 0, enable ? kEditableTableText : kTableText);
  InvalidateRect(table, nullptr, TRUE);
}

// Both modes read the same paths, times and page state; the paths are copied
// out of their boxes for the builders' views to point into.
struct ConvertPageInput {
  std::string inputPath = ControlText(kConvertInputBox);
  std::string outputPath = ControlText(kConvertOutputBox);

  void Fill(ExpertCommandInput& input) const {
    input.expertMode = InExpertMode();
    input.containerIndex = SelectedContainer();
    input.sourceRowCount = App().convertTables.SourceTable().RowCount();
    input.inputPath = inputPath;
    input.outputPath = outputPath;
    input.startTime = PickedTime(kConvertStartTime);
    input.endTime = PickedTime(kConvertEndTime);
  }
};

}  // namespace

std::optional<double> ConvertStartSeconds() { return SecondsOfDay(PickedTime(kConvertStartTime)); }

BatchSettings ConvertBatchSettings() {
  const AppState& app = App();
  BatchSettings settings;
  settings.expertMode = InExpertMode();
  settings.container = SelectedContainer();
  settings.startTime = PickedTime(kConvertStartTime);
  settings.endTime = PickedTime(kConvertEndTime);
  settings.easyLists = app.easyLists;
  settings.parameters = app.convertTables.ParameterTable();
  settings.expertLayout = StreamLayoutOf(app.convertTables.SourceTable());
  return settings;
}
std::optional<double> ConvertEndSeconds() { return SecondsOfDay(PickedTime(kConvertEndTime)); }

void RebuildExpertCommand() {
  const ConvertPageInput page;
  ExpertCommandInput input;
  page.Fill(input);
  const std::optional<std::string> command =
      BuildExpertCommand(input, App().convertTables.ParameterTable());
  if (command) SetControlText(kConvertCommandBox, *command);
}

void RebuildEasyCommand() {
  AppState& app = App();
  const ConvertPageInput page;
  EasyCommandInput input;
  page.Fill(input);
  input.oddSizeFlag = app.convertTables.OddSizeFlag();
  const EasyCommand command = BuildEasyCommand(input, app.easyLists.Slots());
  if (command.videoSlotsEnabled) app.easyLists.SetVideoSlotsEnabled(*command.videoSlotsEnabled);
  if (command.audioSlotsEnabled) app.easyLists.SetAudioSlotsEnabled(*command.audioSlotsEnabled);
  ShowEasyModeLists();
  if (command.text) SetControlText(kConvertCommandBox, *command.text);
}

void RebuildConvertCommand() {
  if (InExpertMode()) {
    RebuildExpertCommand();
  } else {
    RebuildEasyCommand();
  }
}

void OnConvertContainerChange() {
  const int container = SelectedContainer();
  if (InExpertMode()) {
    ApplyContainerExtension(container);
    RebuildExpertCommand();
    return;
  }
  App().easyLists.ChangeContainer(container, App().convertTables.SourceTable());
  ShowEasyModeLists();
  ApplyContainerExtension(container);
  RebuildEasyCommand();
}

void OnEasySlotChange(int id) {
  AppState& app = App();
  const int slot = EasySlotOfId(id);
  if (slot < 0) return;
  if (app.easyLists.TakeBufsizeNote(slot)) ShowMessage(app.mainWindow, kBufsizeNote);
  const std::optional<int> index = ListSelection(id);
  if (!index) return;
  app.easyLists.ChooseSlotItem(slot, *index, SelectedContainer());
  ShowEasyModeLists();
  RebuildEasyCommand();
}

void ToggleConvertExpertMode() {
  AppState& app = App();
  app.expertMode.convert = app.expertMode.convert == 1 ? 0 : 1;
  const bool entering = InExpertMode();
  const int container = app.easyLists.SwitchMode(entering, SelectedContainer());
  SelectListItem(kConvertContainerList, container);
  SetLamp(kConvertExpertLamp, entering);
  SetControlText(kConvertCommandBox, "");
  EnableParameterTable(entering);
  app.easyLists.SetAllSlotsEnabled(!entering);
  ShowEasyModeLists();
  OnConvertContainerChange();
}

void ResetEasyStreamLists() {
  App().easyLists.ResetStreamLists();
  ShowEasyModeLists();
}

}  // namespace trellimux
