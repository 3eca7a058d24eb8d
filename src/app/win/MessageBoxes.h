// Shows the core's message requests as modal boxes owned by the main window.
#pragma once

#include <windows.h>

#include "model/MessageRequest.h"

namespace trellimux {

MessageAnswer ShowMessage(HWND owner, const MessageRequest& request);

}  // namespace trellimux
