// The Trim preview of a running trellimux.exe driven from outside, as the
// mouse and keys drive it: the slider moved, the picture's time and pixels
// read back, the keys I and O, the frame children counted.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "app/win/ProgramDriver.h"

namespace trellimux::test {

// Moves the slider to `position` and tells the window, as a drag
// (TB_THUMBTRACK) or a release (TB_THUMBPOSITION, then TB_ENDTRACK) does.
// False when the window did not answer within the step timeout.
bool MoveSlider(ProgramDriver& program, int position, bool dragging = false);

// The time text the picture shows ("00:00:01.240", "keyframe ..."): the
// picture's window text, or the explaining text before a picture.
std::string ShownTime(ProgramDriver& program);
// Waits until the picture shows `text`.
bool WaitForShownTime(ProgramDriver& program, const std::string& text, DWORD timeoutMs);

// The screen colour at the picture's centre (the time band lies at its
// bottom edge); nothing when the screen cannot be read.
std::optional<COLORREF> PictureCentreColour(ProgramDriver& program);

// A key pressed while the slider has the focus.
bool PressSliderKey(ProgramDriver& program, char key);

// The slider's range end.
int SliderEnd(ProgramDriver& program);

// The running children of a process with one of these file names; -1 when
// the processes cannot be listed.
int RunningChildren(DWORD parent, std::initializer_list<const char*> names);

// Its running ffmpeg.exe children: while the Trim preview shows frames and
// no job runs, its frame children (the keyframe lists ahead are ffprobe's).
int RunningFrameChildren(DWORD parent);

// The same, less the Trim preview's decoder child of either kind (which
// stays while the user looks): the children of jobs and probes.
int RunningJobChildren(DWORD parent);

// Its running decoder children that it feeds a transport stream.
int RunningFedDecoders(DWORD parent);

}  // namespace trellimux::test
