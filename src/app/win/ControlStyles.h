// The window styles of each kind of control.
#pragma once

#include <windows.h>

#include "app/ControlTable.h"

namespace trellimux {

struct ControlStyles {
  DWORD style;  // besides WS_CHILD, WS_VISIBLE and WS_DISABLED
  DWORD exStyle;
  DWORD listViewStyle;  // extended list-view styles of a list view
};

ControlStyles StylesOf(ControlKind kind);

}  // namespace trellimux
