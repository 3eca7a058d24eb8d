// Starting a child process: a failure that can pass is tried once more, and
// a failure's text names the program and the step that failed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace trellimux {

// Whether a start that failed with `error` may work when tried again: Wine
// reports a child that ended while it was being set up as "Internal error.",
// and memory or handles can run short for a moment. A missing or unusable
// program never passes.
bool StartFailureMayPass(DWORD error);

// CreateProcessA with the given command line (which may be changed in
// place), inheriting handles, at normal priority; a failure that may pass
// is tried once more after a short wait. The result is 0 or the platform's
// error code.
DWORD CreateChildProcess(const std::string& program, char* commandLine, STARTUPINFOA& startup,
                         PROCESS_INFORMATION& created);

// The step of a start that failed.
enum class ChildStartStep {
  Pipes,    // the pipes for its input and output could not be made
  Process,  // the process itself could not be created
};

// "ffmpeg.exe could not be started: <the platform's text>", with the step
// named when it was not the process itself; for a program that is not
// there, which one it is and where it belongs (MissingToolText).
std::string StartFailureText(std::string_view programPath, ChildStartStep step, DWORD error);

}  // namespace trellimux
