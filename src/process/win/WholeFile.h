// A small file written whole in one go, as the list and script files that
// ffmpeg reads.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace trellimux {

// Creates or replaces the file at `path` with `text`; the platform's error
// code on failure, 0 when all of it was written.
DWORD WriteWholeFile(const std::string& path, std::string_view text);

// "<temporary folder>\Trellimux <what> <process id>": the start of a
// temporary file's path of this run of the program.
std::string ProgramTempFilePath(std::string_view what);
// The same with "-<n><ending>" after it, n counting the calls: a file of
// its own for each caller that asks.
std::string NumberedProgramTempFilePath(std::string_view what, std::string_view ending);

}  // namespace trellimux
