// Which containers still play whole when their files are joined byte by byte
// ("FFmpeg File" hands ffmpeg the bytes of one after the other through its
// "concat:" input, "Windows File" copies them into one file). A stream of
// self-contained packets plays on across the seam; a container with one
// header or index for the whole file plays only its first part.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace trellimux {

// Known by the path's extension, ignoring ASCII case; an extension not in the
// table is not judged.
bool ByteJoinPlaysFirstPartOnly(std::string_view path);

bool AnyByteJoinPlaysFirstPartOnly(std::span<const std::string> paths);

// "FFmpeg File" and "Windows File" join byte by byte.
bool JoinsByteByByte(int concatMode);

}  // namespace trellimux
