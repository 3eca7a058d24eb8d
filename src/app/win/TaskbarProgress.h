// The progress on the program's taskbar button, as other programs show it:
// a bar while a job's share done is known, a moving bar while it is not,
// nothing when idle. Where the platform has no taskbar list (or Wine's does
// nothing), every call fails quietly and the window shows progress alone.
#pragma once

#include <windows.h>

namespace trellimux {

// Called for the platform's "TaskbarButtonCreated" message: the button
// exists only from then on (and again after Explorer restarts).
void AttachTaskbarProgress(HWND mainWindow);

// The message number the platform sends when the button was made; 0 when
// it could not be registered.
UINT TaskbarButtonCreatedMessage();

void ShowTaskbarWorking();                 // a job runs, share unknown
void ShowTaskbarShare(int done, int total);  // done of total
void ClearTaskbarProgress();               // idle

}  // namespace trellimux
