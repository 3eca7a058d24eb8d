// The text shown on the Information page.
#pragma once

#include <string_view>

namespace trellimux {

// The whole text, lines separated by CR LF, plain ASCII.
std::string_view AboutText();

}  // namespace trellimux
