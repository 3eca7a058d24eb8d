// The platform's own text for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace trellimux {

// FormatMessageA from the system table in the default language, at most 260
// characters; the trailing line break the platform adds is removed.
std::string PlatformErrorText(DWORD code);

}  // namespace trellimux
