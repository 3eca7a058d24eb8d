// How many handles a process holds open, for the tests and benchmarks that
// look for handles a job leaves behind.
#pragma once

#include <windows.h>

namespace trellimux::test {

// The handle count of `process` (a handle with query rights), -1 when it
// cannot be learned.
long HandleCountOf(HANDLE process);

}  // namespace trellimux::test
