// What the program hands to the FFmpeg tools: where they are and the prober's
// argument text.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace trellimux {

enum class FfmpegTool { Ffmpeg, Ffprobe };

// "ffmpeg.exe" or "ffprobe.exe".
std::string_view ToolFileName(FfmpegTool tool);

// The start directory, a backslash unless it ends in one, and the file name.
std::string ToolPath(std::string_view startDirectory, FfmpegTool tool);

// The release comes without FFmpeg: what a new user reads when tools are
// not in `folder` (the program's): which, the folder they belong in and
// where to get them. `missing` holds one or both.
std::string MissingToolsText(std::span<const FfmpegTool> missing, std::string_view folder);

// What a failure box says when the tool at `programPath` is not there: the
// same for it, and the button that opens the download page.
std::string MissingToolText(std::string_view programPath);

// " -v quiet -print_format default -show_format -show_streams " and the
// input path in double quotes.
std::string ProbeArguments(std::string_view inputPath);

// The prober on a file it could not describe, saying only why.
std::string ProbeErrorArguments(std::string_view inputPath);

// The prober's arguments for an input's length alone: its format section.
std::string LengthProbeArguments(std::string_view inputPath);

}  // namespace trellimux
