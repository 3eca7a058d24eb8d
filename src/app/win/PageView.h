// Page switching, the busy and idle states around a job, and the Concat
// page's expert-mode choices.
#pragma once

#include "app/Pages.h"

namespace trellimux {

// Shows a page; asking for the page already shown changes nothing, except
// that the Concat page then focuses its input list.
void ShowPage(Page page);

// Locks the page buttons and "Start" and covers the page with the disabled
// log window while a job runs.
void SetBusy();

// Unlocks them; the log window stays visible and gets the focus.
void SetIdle();

// Shows the Trim parameter table in expert mode with "Reencode", else the
// source table; only while the Trim page is shown.
void ShowTrimStreamTable();

// Swap the Concat container and concat-mode choices between the automatic
// pair and the user's own; entering enables the two lists, leaving disables
// them. The lamp and the rebuilds are left to the caller.
void EnterConcatExpertMode();
void LeaveConcatExpertMode();

// The page's "Edit" button: the command-line box becomes writable (lamp on,
// keyboard focus in the box) or read-only again (lamp off, focus to the main
// window). The box's text stays as it is.
void ToggleCommandLineEditable(Page page);

}  // namespace trellimux
