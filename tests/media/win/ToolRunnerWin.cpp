#include <windows.h>

#include <cstdlib>
#include <vector>

#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

std::string ToolsDirectory() {
  const char* tools = std::getenv("TRELLIMUX_TOOLS");
  return tools ? ToolSidePath(tools) : std::string(".");
}

}  // namespace

ToolRun RunTool(FfmpegTool tool, std::string_view arguments) {
  ToolRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 65535)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = input;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  std::string application = ToolPath(ToolsDirectory(), tool);
  std::vector<char> commandLine(arguments.begin(), arguments.end());
  commandLine.push_back('\0');
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  CloseHandle(input);
  if (started) {
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) && count > 0)
      run.output.append(buffer, count);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    run.exitCode = static_cast<int>(exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    run.output = "CreateProcessA failed for " + application;
  }
  CloseHandle(readEnd);
  return run;
}

std::string ToolSidePath(const std::string& hostPath) {
  if (hostPath.empty() || hostPath[0] != '/') return hostPath;  // already a Windows path
  std::string path = "Z:" + hostPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace trellimux::test
