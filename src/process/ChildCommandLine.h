// The command line a child program receives: its own quoted path, then the
// argument text exactly as the page's box shows it. The path in front keeps
// the child from taking the text's first word for its program name when the
// user's edit removed the leading blank.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// The platform's limit for a child's command line, the terminating zero
// included.
inline constexpr std::size_t kMaxChildCommandLine = 32767;

inline constexpr char kCommandTooLongText[] =
    "The command line is too long: Windows hands a program at most 32,767 characters.";

// The whole command line, or nullopt when it would pass the platform's limit
// (nothing is cut).
std::optional<std::string> ChildCommandLine(std::string_view programPath,
                                            std::string_view arguments);

}  // namespace trellimux
