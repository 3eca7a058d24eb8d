#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "jobs/StartChecks.h"

namespace trellimux {
namespace {

const std::vector<std::string> kParts = {"D:\\rec\\a.ts", "D:\\rec\\b.ts"};
const std::vector<std::string> kMp4Parts = {"D:\\rec\\a.mp4", "D:\\rec\\b.mp4"};

// The refusal's caption and text, "go on" or "silent", for compact checks.
std::string Said(const StartCheck& check) {
  switch (check.outcome) {
    case StartCheck::kGoOn:
      return "go on";
    case StartCheck::kEndSilently:
      return "silent";
    case StartCheck::kAsk:
      return "ask";
    case StartCheck::kRefused:
      break;
  }
  return std::string(check.message.caption) + "|" + std::string(check.message.text);
}

const std::string kEmptyList = " Note|You should add one ore more media files to the list.";
const std::string kOutputIsInput =
    "|It is not allowed to select a output filename which is listed as a input file.";
const std::string kEmptyCommand = " Error|FFmpeg command line error, maybe empty.";
const std::string kJoinPath =
    " Note|Please provide a valid path and output filename for the connected media files.";

TEST(StartChecks, OutputAgainstInputsIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(OutputIsAnInput("d:\\REC\\B.TS", kParts));
  EXPECT_FALSE(OutputIsAnInput("D:\\rec\\..\\rec\\b.ts", kParts));  // not normalised
  EXPECT_FALSE(OutputIsAnInput("D:\\rec\\\xC4.ts", {std::vector<std::string>{"D:\\rec\\\xE4.ts"}}));
  EXPECT_FALSE(OutputIsAnInput("x", {}));
}

TEST(StartChecks, FolderPartIsAColonOrABackslash) {
  EXPECT_TRUE(HasFolderPart("D:out.ts"));
  EXPECT_TRUE(HasFolderPart("\\out.ts"));
  EXPECT_FALSE(HasFolderPart("out.ts"));
  EXPECT_FALSE(HasFolderPart("rec/out.ts"));
  EXPECT_FALSE(HasFolderPart(""));
}

TEST(StartChecks, ConcatChecksInOrderPerMode) {
  ConcatStartFacts facts{1, kParts, "D:\\rec\\a.ts", true, true};
  // Every check fails: the first one speaks.
  facts.inputs = {};
  EXPECT_EQ(Said(CheckConcatStart(facts)), kEmptyList);
  facts.inputs = kParts;
  EXPECT_EQ(Said(CheckConcatStart(facts)), " Warning" + kOutputIsInput);
  facts.concatMode = 3;  // the byte copy says it as an error
  EXPECT_EQ(Said(CheckConcatStart(facts)), " Error" + kOutputIsInput);
  facts.outputPath = "out.ts";
  // The byte copy never reads the command box.
  EXPECT_EQ(Said(CheckConcatStart(facts)), kJoinPath);
  for (int mode : {1, 2}) {
    facts.concatMode = mode;
    EXPECT_EQ(Said(CheckConcatStart(facts)), kEmptyCommand) << mode;
  }
  facts.commandEmpty = false;
  EXPECT_EQ(Said(CheckConcatStart(facts)), kJoinPath);
  facts.outputPath = "D:\\rec";  // an existing folder
  EXPECT_EQ(Said(CheckConcatStart(facts)), kJoinPath);
  facts.outputIsFolder = false;
  EXPECT_EQ(Said(CheckConcatStart(facts)), "go on");
}

TEST(StartChecks, ConvertChecksInOrder) {
  ConvertStartFacts facts{false, "D:\\rec\\film.ts", "", 0};
  EXPECT_EQ(Said(CheckConvertStart(facts)),
            " Note|Babe, you should select a valid input file to convert...");
  facts.hasStreams = true;
  EXPECT_EQ(Said(CheckConvertStart(facts)),
            " Error|Please choose a valid path and output filename.");
  facts.outputPath = "d:\\rec\\FILM.ts";
  EXPECT_EQ(Said(CheckConvertStart(facts)), " Warning" + kOutputIsInput);
  facts.outputPath = "D:\\rec\\film.mkv";
  EXPECT_EQ(Said(CheckConvertStart(facts)),
            " Error|Select a file extension (container) for the converted file.");
  facts.container = std::nullopt;
  EXPECT_EQ(Said(CheckConvertStart(facts)), "silent");
  facts.container = 3;
  EXPECT_EQ(Said(CheckConvertStart(facts)), "go on");
}

TEST(StartChecks, TrimChecksInOrderAndRefusesItsOwnInput) {
  TrimStartFacts facts{false, true, "D:\\rec\\film.ts", "", true};
  EXPECT_EQ(Said(CheckTrimStart(facts)), kEmptyList);
  facts.hasStreams = true;
  EXPECT_EQ(Said(CheckTrimStart(facts)), kEmptyCommand);
  facts.commandEmpty = false;
  EXPECT_EQ(Said(CheckTrimStart(facts)), kJoinPath);
  facts.outputPath = "D:\\REC\\Film.TS";
  EXPECT_EQ(Said(CheckTrimStart(facts)), kJoinPath);  // (it is also a folder here)
  facts.outputIsFolder = false;
  // Before the overwrite question, which would delete the recording.
  EXPECT_EQ(Said(CheckTrimStart(facts)), " Warning" + kOutputIsInput);
  facts.outputPath = "D:\\rec\\cut.ts";
  EXPECT_EQ(Said(CheckTrimStart(facts)), "go on");
}

TEST(StartChecks, AByteJoinOfFilesThatWouldPlayOnlyTheirFirstPartAsksLast) {
  // The Concat inputs; the Trim output (its cuts' container) is the second.
  const std::vector<std::tuple<int, std::vector<std::string>, const char*>> cases = {
      {2, {"D:\\a.ts", "D:\\b.MP4"}, "ask"},    {3, {"D:\\a.mkv", "D:\\b.avi"}, "ask"},
      {1, {"D:\\a.mp4", "D:\\b.mp4"}, "go on"}, {2, {"D:\\a.ts", "D:\\b.mpg"}, "go on"},
      {3, {"D:\\a.mp2", "D:\\b.mp3"}, "go on"}, {3, {"D:\\a.xyz", "D:\\mp4"}, "go on"}};
  for (const auto& [mode, paths, said] : cases) {
    EXPECT_EQ(Said(CheckConcatStart({mode, paths, "D:\\out.ts"})), said) << paths[1];
    EXPECT_EQ(Said(CheckTrimStart({true, false, "D:\\rec.ts", paths[1], false, mode})), said);
  }
  // Every refusal comes first.
  EXPECT_EQ(Said(CheckConcatStart({2, kMp4Parts, "out.mp4"})), kJoinPath);
  EXPECT_EQ(Said(CheckTrimStart({true, false, "D:\\a.mp4", "D:\\A.mp4", false, 3})),
            " Warning" + kOutputIsInput);
  EXPECT_EQ(kByteJoinQuestion.buttons, MessageButtons::YesNo);
}

TEST(StartChecks, TrimConcatModeAfterTheTemporaryFolder) {
  EXPECT_EQ(Said(CheckTrimConcatMode(std::nullopt, 3)), "silent");
  EXPECT_EQ(Said(CheckTrimConcatMode(5, 3)), "silent");
  EXPECT_EQ(Said(CheckTrimConcatMode(-1, 3)), "silent");
  EXPECT_EQ(Said(CheckTrimConcatMode(0, 3)),
            " Note|Be so kind and select a Concat Mode from the drop down box.");
  for (int mode : {1, 2, 3, 4}) EXPECT_EQ(Said(CheckTrimConcatMode(mode, 3)), "go on") << mode;
  // The demuxer's list file needs cuts; the others have nothing to write.
  EXPECT_EQ(Said(CheckTrimConcatMode(1, 0)), "silent");
  EXPECT_EQ(Said(CheckTrimConcatMode(3, 0)), "go on");
}

TEST(StartChecks, BoxesAsTheUserSeesThem) {
  EXPECT_EQ(kOverwriteQuestion.caption, " Warning");
  EXPECT_EQ(kOverwriteQuestion.text, "File already exits.\r\nOverwrite existing file?");
  EXPECT_EQ(kOverwriteQuestion.buttons, MessageButtons::YesNo);
  EXPECT_EQ(kOverwriteQuestion.icon, MessageIcon::Question);
  EXPECT_EQ(kTempDirNotEmptiedNote.text, "Deleting Files in temporary directory fails.");
  EXPECT_EQ(kTempDirNotEmptiedNote.icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace trellimux
