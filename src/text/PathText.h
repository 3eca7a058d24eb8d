// Path text helpers: paths are plain 8-bit text, compared ignoring ASCII case
// and never normalised.
#pragma once

#include <string>
#include <string_view>

namespace trellimux {

// The extension of the path's last component, from its last "." on; empty
// when that component has no ".".
std::string_view PathExtension(std::string_view path);

// The path without its extension, then `extension` appended.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace trellimux
