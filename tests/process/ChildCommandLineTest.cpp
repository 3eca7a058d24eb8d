#include <gtest/gtest.h>

#include "process/ChildCommandLine.h"

namespace trellimux {
namespace {

constexpr char kProgram[] = "C:\\Tools and more\\ffmpeg.exe";

TEST(ChildCommandLine, QuotedProgramThenTheBoxTextUnchanged) {
  EXPECT_EQ(ChildCommandLine(kProgram, " -i \"a b.ts\" out.mp4"),
            "\"C:\\Tools and more\\ffmpeg.exe\" -i \"a b.ts\" out.mp4");
  // An edit that removed the leading blank keeps its first word as an argument.
  EXPECT_EQ(ChildCommandLine(kProgram, "-i x.ts"), "\"C:\\Tools and more\\ffmpeg.exe\" -i x.ts");
  EXPECT_EQ(ChildCommandLine(kProgram, "\t-y"), "\"C:\\Tools and more\\ffmpeg.exe\"\t-y");
  EXPECT_EQ(ChildCommandLine(kProgram, ""), "\"C:\\Tools and more\\ffmpeg.exe\"");
}

TEST(ChildCommandLine, RefusedPastThePlatformLimitNeverCut) {
  const std::string program = "C:\\f.exe";  // 10 characters with its quotes
  const std::size_t fits = kMaxChildCommandLine - 1 - (program.size() + 2);
  const std::string longest = " " + std::string(fits - 1, 'a');
  const std::optional<std::string> line = ChildCommandLine(program, longest);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->size(), kMaxChildCommandLine - 1);
  EXPECT_FALSE(ChildCommandLine(program, longest + "a"));
  EXPECT_FALSE(ChildCommandLine(program, std::string(65534, 'a')));
}

}  // namespace
}  // namespace trellimux
