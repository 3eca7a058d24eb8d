// The Trim page's time entry fields: a picker for hours, minutes and seconds
// and a milliseconds label with its spinner, once for In and once for Out.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

namespace trellimux {

enum class CutEnd { In, Out };

// "HH:MM:SS.mmm" from the end's picker and milliseconds label.
std::string CutTimeOfFields(CutEnd end);

// Shows a cut time in the end's picker, label and spinner.
void LoadCutTime(CutEnd end, std::string_view text);

// Both pickers to 00:00:00 and both milliseconds fields to "000".
void ClearCutTimes();

// A spinner step: the value wraps within 0-999 and the label follows it.
// True when the notification came from one of the two spinners.
bool OnMillisecondStep(const NMUPDOWN& step);

}  // namespace trellimux
