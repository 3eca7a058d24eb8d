// A tool run read by a thread of its own, with the real ffprobe.exe and
// ffmpeg.exe: its whole output once done, and nothing from one ended early.
#include "preview/win/BackgroundToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

std::string Tools() {
  const char* tools = std::getenv("TRELLIMUX_TOOLS");
  return tools ? ToolSidePath(tools) : std::string(".");
}

TEST(BackgroundToolRun, CollectsTheWholeOutputOrNothingWhenEndedEarly) {
  {
    std::promise<void> done;
    BackgroundToolRun run;
    ASSERT_TRUE(run.Start(Tools(), FfmpegTool::Ffprobe, " -version", [&] { done.set_value(); }));
    EXPECT_EQ(done.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    const std::optional<std::string> output = run.Finish();
    ASSERT_TRUE(output);
    EXPECT_NE(output->find("ffprobe version"), std::string::npos) << *output;
  }
  {
    // A run that would never end on its own.
    std::promise<void> done;
    BackgroundToolRun run;
    ASSERT_TRUE(run.Start(Tools(), FfmpegTool::Ffmpeg, " -v error -re -f lavfi -i nullsrc -f null -",
                          [&] { done.set_value(); }));
    run.Terminate();
    EXPECT_EQ(done.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_FALSE(run.Finish());
  }
  BackgroundToolRun missing;
  EXPECT_FALSE(missing.Start("C:\\no such folder", FfmpegTool::Ffprobe, " -version", [] {}));
}

}  // namespace
}  // namespace trellimux::test
