#include "process/win/ChildProcess.h"

#include <mutex>
#include <vector>

namespace trellimux {
namespace {

constexpr DWORD kPipeBufferSize = 65535;

void CloseOnce(HANDLE& handle) {
  if (handle) CloseHandle(handle);
  handle = nullptr;
}

// A pipe whose two ends are inheritable; the end the program keeps is then
// made private again, so that the child holds only its own end.
bool MakePipe(HANDLE& readEnd, HANDLE& writeEnd, HANDLE& programEnd) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, kPipeBufferSize)) return false;
  SetHandleInformation(programEnd, HANDLE_FLAG_INHERIT, 0);
  return true;
}

}  // namespace

ChildProcess::~ChildProcess() { CloseAll(); }

DWORD ChildProcess::Start(const std::string& program, const std::string& commandLine,
                          HANDLE errorsFile) {
  // A child inherits every inheritable handle there is while it is made: the
  // ends of another child's pipes made meanwhile on another thread would
  // stay open in it, and that child's output would not end before this one
  // does (the Trim preview's frame child waits for as long as the user
  // looks). So children are made one at a time, and their own pipe ends
  // are inheritable only in between.
  static std::mutex making;
  std::lock_guard lock(making);
  HANDLE outputWrite = nullptr, inputRead = nullptr, errorsWrite = nullptr;
  failedStep_ = ChildStartStep::Pipes;
  if (!MakePipe(output_, outputWrite, output_) || !MakePipe(inputRead, input_, input_) ||
      (errorsFile && !DuplicateHandle(GetCurrentProcess(), errorsFile, GetCurrentProcess(),
                                      &errorsWrite, 0, TRUE, DUPLICATE_SAME_ACCESS))) {
    const DWORD error = GetLastError();
    CloseOnce(outputWrite);
    CloseOnce(inputRead);
    CloseOnce(errorsWrite);
    CloseAll();
    return error;
  }

  // The program's own start-up information with a hidden window and the
  // pipes as the standard handles.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = inputRead;
  startup.hStdOutput = outputWrite;
  startup.hStdError = errorsWrite ? errorsWrite : outputWrite;

  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION created{};
  failedStep_ = ChildStartStep::Process;
  const DWORD error = CreateChildProcess(program, line.data(), startup, created);
  // Only the child may hold these now, so the output reports its end as soon
  // as the child is gone.
  CloseOnce(outputWrite);
  CloseOnce(inputRead);
  CloseOnce(errorsWrite);
  if (error) {
    CloseAll();
    return error;
  }
  process_ = created.hProcess;
  thread_ = created.hThread;
  processId_ = created.dwProcessId;
  return 0;
}

DWORD ChildProcess::Read(char* buffer, DWORD size) {
  DWORD count = 0;
  return ReadFile(output_, buffer, size, &count, nullptr) ? count : 0;
}

bool ChildProcess::HasEnded() const {
  return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

std::string ChildProcess::ReadToEnd() {
  std::string text;
  char block[65536];
  while (const DWORD count = Read(block, sizeof block)) text.append(block, count);
  return text;
}

bool ChildProcess::WriteInput(std::string_view text, bool last) {
  bool whole = input_ != nullptr;
  while (whole && !text.empty()) {
    DWORD written = 0;
    whole = WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written > 0;
    text.remove_prefix(written);
  }
  if (last) CloseOnce(input_);
  return whole;
}

bool ChildProcess::AskToQuit() {
  // The line end also answers a question the child may be waiting on (as
  // ffmpeg's "Overwrite? [y/N]") with no, so that it ends.
  return WriteInput("q\r\n", false);
}

bool ChildProcess::SendCtrlC() {
  // A program can attach only to a console when it has none of its own.
  if (!process_ || !AttachConsole(processId_)) return false;
  SetConsoleCtrlHandler(nullptr, TRUE);  // the event reaches this program too
  const bool sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE;
  FreeConsole();
  // Otherwise every later child would inherit "ignore Ctrl-C".
  SetConsoleCtrlHandler(nullptr, FALSE);
  return sent;
}

bool ChildProcess::Terminate() {
  DWORD exitCode = 0;
  GetExitCodeProcess(process_, &exitCode);
  return process_ && TerminateProcess(process_, exitCode);
}

DWORD ChildProcess::WaitAndClose() {
  DWORD exitCode = 0;
  if (process_ && WaitForSingleObject(process_, INFINITE) == WAIT_OBJECT_0 &&
      !GetExitCodeProcess(process_, &exitCode)) {
    exitCode = 0;
  }
  CloseAll();
  return exitCode;
}

void ChildProcess::CloseAll() {
  CloseOnce(process_);
  CloseOnce(thread_);
  CloseOnce(output_);
  CloseOnce(input_);
}

}  // namespace trellimux
