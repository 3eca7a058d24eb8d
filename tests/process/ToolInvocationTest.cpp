#include <gtest/gtest.h>

#include "process/ToolInvocation.h"

namespace trellimux {
namespace {

TEST(ToolInvocation, ToolsLieInTheStartDirectory) {
  EXPECT_EQ(ToolPath("C:\\Media", FfmpegTool::Ffprobe), "C:\\Media\\ffprobe.exe");
  EXPECT_EQ(ToolPath("C:\\", FfmpegTool::Ffmpeg), "C:\\ffmpeg.exe");
}

TEST(ToolInvocation, ProbeArgumentsQuoteThePath) {
  EXPECT_EQ(ProbeArguments("D:\\Rec\\My Film.ts"),
            " -v quiet -print_format default -show_format -show_streams \"D:\\Rec\\My Film.ts\"");
}

}  // namespace
}  // namespace trellimux
