#include "concat/ConcatCommand.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "concat/ContainerDefaults.h"
#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

const std::vector<std::string> kInputs = {"C:\\rec\\a.ts", "C:\\rec\\b.ts"};

// Every list with a valid selection: "FFmpeg File", everything included.
ConcatCommandInput Input() {
  ConcatCommandInput input;
  input.inputs = kInputs;
  input.concatMode = kFileConcat;
  input.streamSelection = 0;
  input.subtitles = 0;
  input.data = 0;
  input.startDirectory = "C:\\tool";
  input.outputPath = "C:\\rec\\out.mp4";
  return input;
}

std::string Line(const ConcatCommandInput& input) {
  ConcatCommand command = BuildConcatCommand(input);
  EXPECT_EQ(command.outcome, ConcatCommandOutcome::Replace);
  return command.text;
}

TEST(ConcatCommand, FileModeJoinsTheInputsInOneConcatInput) {
  ConcatCommandInput input = Input();
  input.subtitles = 1;
  input.streamSelection = 1;
  EXPECT_EQ(Line(input),
            " -fflags genpts -i \"concat:C:\\rec\\a.ts|C:\\rec\\b.ts\" -sn"
            " -copy_unknown -map 0 -c copy \"C:\\rec\\out.mp4\"");
}

TEST(ConcatCommand, FileModeReadsAPartWithASeamFromItsStart) {
  const std::vector<std::string> inputs = {"C:\\rec\\a.ts", "C:\\rec\\b.ts", "C:\\rec\\c.ts"};
  const struct {
    std::vector<std::int64_t> starts;
    const char* concat;
  } kCases[] = {
      {{4096, 48128, 0},
       "concat:subfile,,start,4096,end,0,,:C:\\rec\\a.ts|"
       "subfile,,start,48128,end,0,,:C:\\rec\\b.ts|C:\\rec\\c.ts"},
      {{0, 0, 0}, "concat:C:\\rec\\a.ts|C:\\rec\\b.ts|C:\\rec\\c.ts"},
      {{}, "concat:C:\\rec\\a.ts|C:\\rec\\b.ts|C:\\rec\\c.ts"},
  };
  for (const auto& c : kCases) {
    ConcatCommandInput input = Input();
    input.inputs = inputs;
    input.inputStarts = c.starts;
    EXPECT_EQ(Line(input), std::string(" -fflags genpts -i \"") + c.concat +
                               "\" -ignore_unknown -map 0 -c copy \"C:\\rec\\out.mp4\"");
  }
  // The demuxer reads each input as a file of its own: no seams there.
  ConcatCommandInput demuxer = Input();
  const std::vector<std::int64_t> starts = {4096, 4096};
  demuxer.inputStarts = starts;
  demuxer.concatMode = kDemuxerConcat;
  EXPECT_EQ(Line(demuxer).find("subfile"), std::string::npos);
}

TEST(ConcatCommand, DemuxerModeReadsFilesTxtOfTheStartDirectory) {
  ConcatCommandInput input = Input();
  input.concatMode = kDemuxerConcat;
  input.data = 1;
  const std::string expected =
      " -fflags genpts -f concat -safe 0 -i \"C:\\tool\\files.txt\" -dn"
      " -ignore_unknown -map 0 -c copy \"C:\\rec\\out.mp4\"";
  EXPECT_EQ(Line(input), expected);
  input.startDirectory = "C:\\tool\\";  // a root-like folder already ends in one
  EXPECT_EQ(Line(input), expected);
}

TEST(ConcatCommand, OneInputHasNoSeparator) {
  const std::vector<std::string> one = {"C:\\a.ts"};
  ConcatCommandInput input = Input();
  input.inputs = one;
  EXPECT_EQ(Line(input),
            " -fflags genpts -i \"concat:C:\\a.ts\" -ignore_unknown -map 0 -c copy"
            " \"C:\\rec\\out.mp4\"");
}

TEST(ConcatCommand, EachStreamSelectionEntryWritesItsOptions) {
  constexpr std::array<std::string_view, 7> kExpected = {" -ignore_unknown -map 0 -c copy",
                                                         " -copy_unknown -map 0 -c copy",
                                                         " -ignore_unknown -c copy",
                                                         " -vn -ignore_unknown -map 0 -c:a copy",
                                                         " -an -ignore_unknown -map 0 -c:v copy",
                                                         " -vn -ignore_unknown -c:a copy",
                                                         " -an -ignore_unknown -c:v copy"};
  static_assert(kExpected.size() == kStreamSelectionList.size());
  ConcatCommandInput input = Input();
  input.subtitles = 1;
  input.data = 1;
  for (int entry = 0; entry < 7; ++entry) {
    input.streamSelection = entry;
    EXPECT_EQ(Line(input), " -fflags genpts -i \"concat:C:\\rec\\a.ts|C:\\rec\\b.ts\" -sn -dn" +
                               std::string(kExpected[entry]) + " \"C:\\rec\\out.mp4\"")
        << "entry " << entry;
  }
}

TEST(ConcatCommand, LongPathsAreWrittenWhole) {
  const std::vector<std::string> inputs = {"C:\\" + std::string(3000, 'a') + ".ts",
                                           "C:\\" + std::string(3000, 'b') + ".ts"};
  const std::string output = "C:\\" + std::string(3000, 'c') + ".ts";
  ConcatCommandInput input = Input();
  input.inputs = inputs;
  input.outputPath = output;
  const std::string line = Line(input);
  EXPECT_NE(line.find("concat:" + inputs[0] + "|" + inputs[1] + "\""), std::string::npos);
  EXPECT_TRUE(line.ends_with(" \"" + output + "\""));
}

TEST(ConcatCommand, NoInputsEmptyTheBoxWhateverTheMode) {
  ConcatCommandInput input = Input();
  input.inputs = {};
  for (std::optional<int> mode : {std::optional<int>{}, std::optional<int>{0},
                                  std::optional<int>{1}, std::optional<int>{3}}) {
    input.concatMode = mode;
    ConcatCommand command = BuildConcatCommand(input);
    EXPECT_EQ(command.outcome, ConcatCommandOutcome::Replace);
    EXPECT_EQ(command.text, "");
  }
}

TEST(ConcatCommand, ModesWithoutAnFfmpegLine) {
  ConcatCommandInput input = Input();
  input.streamSelection.reset();  // the other lists are not read for these
  input.subtitles.reset();

  input.concatMode.reset();
  EXPECT_EQ(BuildConcatCommand(input).outcome, ConcatCommandOutcome::KeepBox);
  input.concatMode = kNoConcatMode;
  EXPECT_EQ(Line(input), kConcatModePrompt);
  input.concatMode = kWindowsFileConcat;
  EXPECT_EQ(Line(input), kWindowsFileJoinNote);
}

TEST(ConcatCommand, AListWithoutAValidSelectionIsAnError) {
  const auto expectError = [](const ConcatCommandInput& input, const char* what) {
    EXPECT_EQ(BuildConcatCommand(input).outcome, ConcatCommandOutcome::Error) << what;
  };
  ConcatCommandInput input = Input();
  input.concatMode = kCutOnly;  // a Trim page entry
  expectError(input, "concat mode 4");
  input.concatMode = -1;
  expectError(input, "concat mode -1");

  for (std::optional<int> bad :
       {std::optional<int>{}, std::optional<int>{-1}, std::optional<int>{2}}) {
    input = Input();
    input.subtitles = bad;
    expectError(input, "subtitles");
    input = Input();
    input.data = bad;
    expectError(input, "data");
  }
  for (std::optional<int> bad :
       {std::optional<int>{}, std::optional<int>{-1}, std::optional<int>{7}}) {
    input = Input();
    input.concatMode = kDemuxerConcat;
    input.streamSelection = bad;
    expectError(input, "stream selection");
  }
}

TEST(ConcatListFileText, OneQuotedLineEndingInCrLfPerPath) {
  const std::vector<std::string> paths = {"C:\\rec\\a b.ts", "\\\\server\\share\\c.ts"};
  EXPECT_EQ(ConcatListFileText(paths),
            "file 'C:\\rec\\a b.ts'\r\n"
            "file '\\\\server\\share\\c.ts'\r\n");
  EXPECT_EQ(ConcatListFileText({}), "");
}

TEST(ConcatListFileText, SingleQuotesAreClosedEscapedAndReopened) {
  const std::vector<std::string> paths = {"C:\\Tom's part2.ts", "'x''.ts'"};
  EXPECT_EQ(ConcatListFileText(paths),
            "file 'C:\\Tom'\\''s part2.ts'\r\n"
            "file ''\\''x'\\'''\\''.ts'\\'''\r\n");
}

// The rows as the Concat page presets them, by container name.
struct DefaultsRow {
  std::string_view container;
  ConcatDefaults defaults;
};

// clang-format off
constexpr std::array<DefaultsRow, 21> kRows = {{
    {"Container", {1, 0, 0, 1}}, {".3gp", {2, 1, 1, 1}},  {".aac", {5, 1, 1, 1}},
    {".ac3", {5, 1, 1, 1}},      {".avi", {0, 1, 1, 1}},  {".dv", {1, 1, 1, 1}},
    {".flac", {5, 1, 1, 1}},     {".flv", {2, 1, 1, 1}},  {".hevc", {2, 0, 1, 1}},
    {".mkv", {0, 1, 1, 1}},      {".mp2", {5, 1, 1, 2}},  {".mp3", {5, 1, 1, 1}},
    {".mp4", {0, 1, 1, 1}},      {".mpeg", {0, 1, 1, 2}}, {".mpg", {0, 1, 1, 2}},
    {".mov", {0, 0, 0, 1}},      {".ts", {1, 0, 0, 2}},   {".vob", {0, 1, 1, 2}},
    {".wav", {5, 1, 1, 1}},      {".webm", {1, 0, 0, 1}}, {".wmv", {0, 1, 1, 1}},
}};
// clang-format on

bool operator==(const ConcatDefaults& a, const ConcatDefaults& b) {
  return a.streamSelection == b.streamSelection && a.subtitles == b.subtitles && a.data == b.data &&
         a.concatMode == b.concatMode;
}

TEST(ContainerDefaults, EachContainerHasItsRow) {
  static_assert(kRows.size() == kContainerListA.size());
  for (std::size_t item = 0; item < kRows.size(); ++item) {
    ASSERT_EQ(kRows[item].container, kContainerListA[item]);
    EXPECT_TRUE(ContainerDefaults(static_cast<int>(item)) == kRows[item].defaults)
        << kRows[item].container;
  }
}

TEST(ContainerDefaults, ItemsOutsideTheListGiveTheFirstRow) {
  EXPECT_TRUE(ContainerDefaults(-1) == kRows[0].defaults);
  EXPECT_TRUE(ContainerDefaults(21) == kRows[0].defaults);
}

TEST(ContainerDefaults, EveryRowBuildsAConcatLine) {
  for (int item = 0; item < static_cast<int>(kContainerListA.size()); ++item) {
    const ConcatDefaults defaults = ContainerDefaults(item);
    ConcatCommandInput input = Input();
    input.concatMode = defaults.concatMode;
    input.streamSelection = defaults.streamSelection;
    input.subtitles = defaults.subtitles;
    input.data = defaults.data;
    ConcatCommand command = BuildConcatCommand(input);
    EXPECT_EQ(command.outcome, ConcatCommandOutcome::Replace) << kContainerListA[item];
    EXPECT_TRUE(command.text.starts_with(" -fflags genpts")) << kContainerListA[item];
  }
}

}  // namespace
}  // namespace trellimux
