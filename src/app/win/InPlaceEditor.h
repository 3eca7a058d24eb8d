// The one-line text box laid over a parameter table cell by a left click:
// Enter stores its text in the cell and rebuilds the page's command; Escape,
// the loss of focus and the system close command discard it.
#pragma once

#include <windows.h>

#include "app/Pages.h"

namespace trellimux {

// A click on the page's parameter table at (row, column). An editor that
// still exists is only closed; otherwise one opens over an editable cell
// (columns 2 to 19) of the selected row.
void OpenInPlaceEditor(Page page, int row, int column);

// Destroys the editor without storing its text; nothing if none exists.
void CloseInPlaceEditor();

// The editor window while one exists, else null.
HWND InPlaceEditorWindow();

}  // namespace trellimux
