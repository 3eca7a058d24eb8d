#include "process/win/ChildStart.h"

#include "process/ToolInvocation.h"
#include "process/win/PlatformError.h"

namespace trellimux {
namespace {

// Long enough for a dying child or a short squeeze to be over.
constexpr DWORD kRetryWaitMs = 250;

DWORD TryCreate(const std::string& program, char* commandLine, STARTUPINFOA& startup,
                PROCESS_INFORMATION& created) {
  return CreateProcessA(program.c_str(), commandLine, nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &created)
             ? 0
             : GetLastError();
}

std::string_view FileName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool StartFailureMayPass(DWORD error) {
  switch (error) {
    case ERROR_INTERNAL_ERROR:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_NO_SYSTEM_RESOURCES:
    case ERROR_COMMITMENT_LIMIT:
    case ERROR_TOO_MANY_OPEN_FILES:
      return true;
    default:
      return false;
  }
}

DWORD CreateChildProcess(const std::string& program, char* commandLine, STARTUPINFOA& startup,
                         PROCESS_INFORMATION& created) {
  const DWORD error = TryCreate(program, commandLine, startup, created);
  if (!StartFailureMayPass(error)) return error;
  Sleep(kRetryWaitMs);
  return TryCreate(program, commandLine, startup, created);
}

std::string StartFailureText(std::string_view programPath, ChildStartStep step, DWORD error) {
  const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  if (step != ChildStartStep::Pipes && missing) return MissingToolText(programPath);
  std::string text(FileName(programPath));
  text += " could not be started: ";
  if (step == ChildStartStep::Pipes) text += "no pipe for its input and output: ";
  return text + PlatformErrorText(error);
}

}  // namespace trellimux
