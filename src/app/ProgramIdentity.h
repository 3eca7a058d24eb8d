// The names by which the program and its main window are known.
#pragma once

#include <string_view>

#include "app/Version.h"

namespace trellimux {

inline constexpr std::string_view kProductName = "Trellimux";

// The exact title a second copy looks for before it activates the first.
inline constexpr std::string_view kWindowTitle = "Trellimux " TRELLIMUX_VERSION_TEXT;

// A private window class name, long and random enough not to clash with
// another program's: 56 lowercase letters and digits.
inline constexpr std::string_view kWindowClassName =
    "trellimuxmainwindow4f7c2a9e1b6d3k8q5w0z7x2v9n4m6p1r3t8h6";
static_assert(kWindowClassName.size() == 56);

// The main window's fixed outer size.
inline constexpr int kWindowWidth = 1272;
inline constexpr int kWindowHeight = 712;

}  // namespace trellimux
