// A small file written or read whole in one go: the list and script files
// that ffmpeg reads, the pieces it writes for a cut.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// Creates or replaces the file at `path` with `text`; the platform's error
// code on failure, 0 when all of it was written.
DWORD WriteWholeFile(const std::string& path, std::string_view text);

// The bytes of the file at `path`; nothing when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

// "<temporary folder>\Trellimux <what> <process id>": the start of a
// temporary file's path of this run of the program.
std::string ProgramTempFilePath(std::string_view what);
// The same with "-<n><ending>" after it, n counting the calls: a file of
// its own for each caller that asks.
std::string NumberedProgramTempFilePath(std::string_view what, std::string_view ending);

}  // namespace trellimux
