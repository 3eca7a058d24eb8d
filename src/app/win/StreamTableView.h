// Shows a stream table model in its list view: one row per stream with its
// 20 texts and, where the list has check boxes, the row's check state.
#pragma once

#include <windows.h>

#include "params/StreamTable.h"

namespace trellimux {

void ShowStreamTable(HWND list, const StreamTable& table);

}  // namespace trellimux
