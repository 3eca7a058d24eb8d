// The program's 8-bit text is UTF-8 (the manifest sets it as the process's
// code page). Text that arrives in pieces, such as a child's output read a
// block at a time, may end in the middle of a character; the window would
// show such a half character as a replacement mark.
#pragma once

#include <cstddef>
#include <string_view>

namespace trellimux {

// How many bytes of `text` end on a whole character: a multi-byte sequence
// cut off at the end is left out, to be completed by the next piece. Bytes
// that are not UTF-8 at all count as whole, so no text is held back for
// ever.
std::size_t WholeUtf8Length(std::string_view text);

}  // namespace trellimux
