#include "process/win/PlatformError.h"

namespace trellimux {

std::string PlatformErrorText(DWORD code) {
  char text[260] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  if (result.empty()) result = "Error " + std::to_string(code) + ".";
  return result;
}

}  // namespace trellimux
