// Starts a real FFmpeg tool for the media tests and captures what it prints.
// Natively the Linux tools from PATH run; on Windows (under Wine) the
// ffmpeg.exe/ffprobe.exe of the program's folder run through CreateProcessA,
// with the argument text as a separate command line, as the program does.
#pragma once

#include <string>
#include <string_view>

#include "process/ToolInvocation.h"

namespace trellimux::test {

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

// `arguments` begins with a blank, exactly as the builders write it.
ToolRun RunTool(FfmpegTool tool, std::string_view arguments);

// A path of this machine as the tools see it (Z:\... under Wine).
std::string ToolSidePath(const std::string& hostPath);

}  // namespace trellimux::test
