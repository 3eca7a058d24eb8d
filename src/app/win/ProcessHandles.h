// The handles a process holds open, as the system's handle table lists them.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace trellimux {

// The values of every handle process `processId` holds (meaningful as
// handles only in that process); nullopt when the table cannot be read.
std::optional<std::vector<HANDLE>> HandlesOfProcess(DWORD processId);

}  // namespace trellimux
