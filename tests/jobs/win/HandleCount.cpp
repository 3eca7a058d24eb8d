#include "jobs/win/HandleCount.h"

#include <optional>
#include <vector>

#include "app/win/ProcessHandles.h"

namespace trellimux::test {

long HandleCountOf(HANDLE process) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count != 0) return static_cast<long>(count);
  // Wine answers 0 here; its system handle table is complete.
  const std::optional<std::vector<HANDLE>> handles = HandlesOfProcess(GetProcessId(process));
  return handles ? static_cast<long>(handles->size()) : -1;
}

}  // namespace trellimux::test
