#include "process/ToolInvocation.h"

namespace trellimux {

std::string_view ToolFileName(FfmpegTool tool) {
  return tool == FfmpegTool::Ffmpeg ? "ffmpeg.exe" : "ffprobe.exe";
}

std::string ToolPath(std::string_view startDirectory, FfmpegTool tool) {
  std::string path(startDirectory);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += ToolFileName(tool);
  return path;
}

std::string ProbeArguments(std::string_view inputPath) {
  std::string arguments = " -v quiet -print_format default -show_format -show_streams \"";
  arguments += inputPath;
  arguments += '"';
  return arguments;
}

std::string LengthProbeArguments(std::string_view inputPath) {
  return " -v quiet -print_format default -show_format \"" + std::string(inputPath) + "\"";
}

}  // namespace trellimux
