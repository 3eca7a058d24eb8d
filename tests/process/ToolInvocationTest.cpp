#include <gtest/gtest.h>

#include "process/ToolInvocation.h"

namespace trellimux {
namespace {

TEST(ToolInvocation, ToolsLieInTheStartDirectory) {
  EXPECT_EQ(ToolPath("C:\\Media", FfmpegTool::Ffprobe), "C:\\Media\\ffprobe.exe");
  EXPECT_EQ(ToolPath("C:\\", FfmpegTool::Ffmpeg), "C:\\ffmpeg.exe");
}

// A missing tool is named with the folder it belongs in and where to get
// it, for a user who does not know FFmpeg.
TEST(ToolInvocation, AMissingToolIsNamedWithItsFolderAndWhatToDo) {
  EXPECT_EQ(MissingToolText("C:\\Tools\\Trellimux\\ffprobe.exe"),
            "ffprobe.exe is not in the folder of Trellimux, C:\\Tools\\Trellimux.\r\n\r\n"
            "Trellimux runs two programs of FFmpeg, ffmpeg.exe and ffprobe.exe, which do not come "
            "with it. Download a Windows build of FFmpeg, and copy ffmpeg.exe and ffprobe.exe from "
            "its \"bin\" folder into that folder. The button \"Download FFmpeg\" opens the "
            "download page.");
  EXPECT_TRUE(MissingToolText("ffmpeg.exe")
                  .starts_with("ffmpeg.exe is not in the folder of "
                               "Trellimux.\r\n"));
  const FfmpegTool both[] = {FfmpegTool::Ffmpeg, FfmpegTool::Ffprobe};
  EXPECT_TRUE(MissingToolsText(both, "D:\\T")
                  .starts_with(
                      "ffmpeg.exe and ffprobe.exe are not in the folder of Trellimux, D:\\T.\r\n"));
}

TEST(ToolInvocation, ProbeArgumentsQuoteThePath) {
  EXPECT_EQ(ProbeArguments("D:\\Rec\\My Film.ts"),
            " -v quiet -print_format default -show_format -show_streams \"D:\\Rec\\My Film.ts\"");
}

}  // namespace
}  // namespace trellimux
