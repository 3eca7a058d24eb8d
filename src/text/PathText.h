// Path text helpers: paths are plain 8-bit text, compared ignoring ASCII case
// and never normalised.
#pragma once

#include <string>
#include <string_view>

namespace trellimux {

// The extension of the path's last component, from its last "." on; empty
// when that component has no ".".
std::string_view PathExtension(std::string_view path);

// The folder part of the path with its trailing separator (D:\rec\ for D:\rec\a.ts);
// empty when the path names no folder.
std::string_view PathFolder(std::string_view path);

// The path's last component: a.ts for D:\rec\a.ts.
std::string_view PathFileName(std::string_view path);

// The path without its extension, then `extension` appended.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace trellimux
