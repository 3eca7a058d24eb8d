#include "app/win/ConvertCommand.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "cmdline/ExpertCommand.h"

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

}  // namespace

void RebuildConvertCommand() {
  AppState& app = App();
  const std::string inputPath = ControlText(kConvertInputBox);
  const std::string outputPath = ControlText(kConvertOutputBox);
  ExpertCommandInput input;
  input.expertMode = app.expertMode.convert != 0;
  input.containerIndex = ListSelection(kConvertContainerList).value_or(0);
  input.sourceRowCount = app.convertTables.SourceTable().RowCount();
  input.inputPath = inputPath;
  input.outputPath = outputPath;
  input.startTime = PickedTime(kConvertStartTime);
  input.endTime = PickedTime(kConvertEndTime);
  const std::optional<std::string> command =
      BuildExpertCommand(input, app.convertTables.ParameterTable());
  if (command) SetControlText(kConvertCommandBox, *command);
}

}  // namespace trellimux
