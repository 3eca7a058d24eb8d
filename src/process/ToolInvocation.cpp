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

std::string MissingToolsText(std::span<const FfmpegTool> missing, std::string_view folder) {
  std::string text;
  for (const FfmpegTool tool : missing) {
    if (!text.empty()) text += " and ";
    text += ToolFileName(tool);
  }
  text += missing.size() > 1 ? " are" : " is";
  text += " not in the folder of Trellimux";
  if (!folder.empty()) {
    text += ", ";
    text += folder;
  }
  text +=
      ".\r\n\r\nTrellimux runs two programs of FFmpeg, ffmpeg.exe and ffprobe.exe, which do not "
      "come with it. Download a Windows build of FFmpeg, and copy ffmpeg.exe and ffprobe.exe from "
      "its \"bin\" folder into that folder.";
  return text;
}

std::string MissingToolText(std::string_view programPath) {
  const std::size_t slash = programPath.find_last_of("\\/");
  const std::string_view name =
      slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
  const FfmpegTool tool =
      name == ToolFileName(FfmpegTool::Ffprobe) ? FfmpegTool::Ffprobe : FfmpegTool::Ffmpeg;
  return MissingToolsText(std::span(&tool, 1), slash == std::string_view::npos
                                                   ? std::string_view()
                                                   : programPath.substr(0, slash)) +
         " The button \"Download FFmpeg\" opens the download page.";
}

std::string ProbeArguments(std::string_view inputPath) {
  std::string arguments = " -v quiet -print_format default -show_format -show_streams \"";
  arguments += inputPath;
  arguments += '"';
  return arguments;
}

std::string ProbeErrorArguments(std::string_view inputPath) {
  return " -v error \"" + std::string(inputPath) + "\"";
}

std::string LengthProbeArguments(std::string_view inputPath) {
  return " -v quiet -print_format default -show_format \"" + std::string(inputPath) + "\"";
}

}  // namespace trellimux
