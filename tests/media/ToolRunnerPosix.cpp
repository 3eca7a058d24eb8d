#include <stdio.h>
#include <sys/wait.h>

#include "media/ToolRunner.h"

namespace trellimux::test {

ToolRun RunTool(FfmpegTool tool, std::string_view arguments) {
  // The shell reads the double-quoted paths of the argument text.
  std::string command = "exec ";
  command += tool == FfmpegTool::Ffmpeg ? "ffmpeg" : "ffprobe";
  command += arguments;
  command += " </dev/null 2>&1";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t count;
  while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, count);
  int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ToolSidePath(const std::string& hostPath) { return hostPath; }

}  // namespace trellimux::test
