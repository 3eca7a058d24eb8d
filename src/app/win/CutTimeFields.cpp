#include "app/win/CutTimeFields.h"

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "trim/CutTime.h"

namespace trellimux {
namespace {

struct EndControls {
  int picker;
  int label;
  int spinner;
};

EndControls ControlsOf(CutEnd end) {
  if (end == CutEnd::In) return {kCutInTime, kCutInMilliseconds, kCutInSpinner};
  return {kCutOutTime, kCutOutMilliseconds, kCutOutSpinner};
}

// The picker's date part is fixed at 1 January 2000 and never read.
void SetPickerTime(int picker, const TimeOfDay& time) {
  SYSTEMTIME value{};
  value.wYear = 2000;
  value.wMonth = 1;
  value.wDay = 1;
  value.wHour = static_cast<WORD>(time.hour);
  value.wMinute = static_cast<WORD>(time.minute);
  value.wSecond = static_cast<WORD>(time.second);
  SendMessageA(Control(picker), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}

void SetMilliseconds(const EndControls& controls, int value, const std::string& label) {
  SendMessageA(Control(controls.spinner), UDM_SETPOS32, 0, value);
  SetControlText(controls.label, label);
}

}  // namespace

std::string CutTimeOfFields(CutEnd end) {
  const EndControls controls = ControlsOf(end);
  SYSTEMTIME time{};
  SendMessageA(Control(controls.picker), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return CutTimeText({time.wHour, time.wMinute, time.wSecond}, ControlText(controls.label));
}

void LoadCutTime(CutEnd end, std::string_view text) {
  const EndControls controls = ControlsOf(end);
  const CutTimeFields fields = SplitCutTime(text);
  SetPickerTime(controls.picker, fields.time);
  SetMilliseconds(controls, fields.millisecondValue, fields.milliseconds);
}

void ClearCutTimes() {
  for (CutEnd end : {CutEnd::In, CutEnd::Out}) {
    const EndControls controls = ControlsOf(end);
    SetPickerTime(controls.picker, {});
    SetMilliseconds(controls, 0, MillisecondLabel(0));
  }
}

bool OnMillisecondStep(const NMUPDOWN& step) {
  const int id = static_cast<int>(step.hdr.idFrom);
  if (id != kCutInSpinner && id != kCutOutSpinner) return false;
  const EndControls controls = ControlsOf(id == kCutInSpinner ? CutEnd::In : CutEnd::Out);
  // The spinner itself wraps the same way (UDS_WRAP) once this returns.
  SetControlText(controls.label, MillisecondLabel(StepMilliseconds(step.iPos, step.iDelta)));
  return true;
}

}  // namespace trellimux
