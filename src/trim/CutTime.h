// Cut times as the Trim page writes and reads them: "HH:MM:SS.mmm", composed
// from a time picker and a milliseconds field and split back at fixed places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/CommandText.h"

namespace trellimux {

// A frame this little before the time asked for is the frame at that time,
// whatever the rounding of its time stamp (90 kHz in a TS).
inline constexpr std::int64_t kFrameTimeSlackUs = 500;

// The picker's "HH:MM:SS", ".", then the milliseconds label as it stands.
std::string CutTimeText(const TimeOfDay& time, std::string_view millisecondsLabel);

struct CutTimeFields {
  TimeOfDay time;            // each part clamped to what a picker can show
  std::string milliseconds;  // the text from the tenth character on
  int millisecondValue = 0;  // its leading digits as a number, 0-999
};

// Hours from characters 1-2, minutes 4-5, seconds 7-8 (each read up to its
// first non-digit), milliseconds from character 10 on. Short or odd texts
// give zeros, never a failure.
CutTimeFields SplitCutTime(std::string_view text);

// One spinner step: the value moves by `delta` and wraps within 0-999
// (999 + 1 gives 0, 0 - 1 gives 999).
int StepMilliseconds(int value, int delta);

// A cut time's milliseconds from the file's start, read as SplitCutTime
// reads it.
std::int64_t CutTimeMilliseconds(std::string_view text);

// "HH:MM:SS.mmm" of a count of milliseconds (negative counts as 0); hours
// grow past 23 when they must (ffmpeg reads any number of hours).
std::string MillisecondsAsCutTime(std::int64_t milliseconds);

// Exactly three digits with leading zeros: "000" to "999".
std::string MillisecondLabel(int value);

}  // namespace trellimux
