// UTF-8 text as the UTF-16 that the wide Windows functions and COM take.
#pragma once

#include <string>

namespace trellimux {

std::wstring WideText(const std::string& utf8);

}  // namespace trellimux
