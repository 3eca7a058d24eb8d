// What the program hands to the FFmpeg tools: where they are and the prober's
// argument text.
#pragma once

#include <string>
#include <string_view>

namespace trellimux {

enum class FfmpegTool { Ffmpeg, Ffprobe };

// "ffmpeg.exe" or "ffprobe.exe".
std::string_view ToolFileName(FfmpegTool tool);

// The start directory, a backslash unless it ends in one, and the file name.
std::string ToolPath(std::string_view startDirectory, FfmpegTool tool);

// What a failure box says when the tool at `programPath` is not there: the
// release comes without FFmpeg, and a new user reads which program is
// missing, the folder it belongs in and where to get it.
std::string MissingToolText(std::string_view programPath);

// " -v quiet -print_format default -show_format -show_streams " and the
// input path in double quotes.
std::string ProbeArguments(std::string_view inputPath);

// The prober's arguments for an input's length alone: its format section.
std::string LengthProbeArguments(std::string_view inputPath);

}  // namespace trellimux
