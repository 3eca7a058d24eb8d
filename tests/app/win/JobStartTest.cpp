// "Start" on the task pages of the real window: each page's checks in their
// order with their exact messages, the overwrite question, and what a start
// prepares on disk. A refused or declined start leaves every file as it was
// and starts nothing.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConcatPage.h"
#include "app/win/JobControl.h"
#include "app/win/SharedResources.h"
#include "app/win/TableTestSupport.h"
#include "app/win/TrimPage.h"
#include "jobs/JobKind.h"
#include "media/SampleMedia.h"

namespace trellimux::test {
namespace {

namespace fs = std::filesystem;

constexpr int kDemuxer = 1;
constexpr int kFileConcat = 2;
constexpr int kWindowsFile = 3;
constexpr int kCutOnly = 4;

const std::string kOutputIsInput =
    "It is not allowed to select a output filename which is listed as a input file.";
const std::string kJoinPath =
    "Please provide a valid path and output filename for the connected media files.";

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class JobStartTest : public MainWindowTest {
 protected:
  std::string Start(int answer = IDOK) { return ClickForBox(kStartButton, answer); }
  // No job runs after a refusal.
  static bool Idle() { return App().jobKind == kNoJob && IsWindowEnabled(Item(kStartButton)); }

  void ProbeConvertInput(const std::string& input) {
    Click(kConvertButton);
    boxes_.Answer(IDOK);
    StartConvertProbe(input);
    ASSERT_TRUE(WaitForIdle());
  }
  void ProbeTrimInput(const std::string& input) {
    Click(kTrimButton);
    PrepareTrimInput(input);
    boxes_.Answer(IDOK);
    StartTrimProbe(input);
    ASSERT_TRUE(WaitForIdle());
  }
  static void AddCutOf(const char* in, const char* out) {
    App().cuts.Append({in, out});
    RebuildTrimCommand();
  }
};

TEST_F(JobStartTest, ConcatRefusesInOrderAndLeavesTheDiskAlone) {
  const std::string folder = WorkFolder("concat-start");
  const std::string first = folder + "\\a.ts";
  const std::string second = folder + "\\b.ts";
  Write(first, "first");
  Write(second, "second");
  const std::string listFile = Resources().startDirectory + "\\files.txt";
  fs::remove(listFile);
  Click(kConcatButton);

  EXPECT_EQ(Start(), " Note|Be so kind and select a Concat Mode from the drop down box.");
  ChooseListItem(kConcatModeList, kDemuxer);
  EXPECT_EQ(Start(), " Note|You should add one ore more media files to the list.");

  AddConcatInput(first);
  AddConcatInput(second);
  ChooseListItem(kConcatModeList, kDemuxer);
  SetControlText(kConcatOutputBox, folder + "\\B.TS");  // an input in other letters
  EXPECT_EQ(Start(), " Warning|" + kOutputIsInput);
  ChooseListItem(kConcatModeList, kWindowsFile);
  EXPECT_EQ(Start(), " Error|" + kOutputIsInput);
  ChooseListItem(kConcatModeList, kFileConcat);
  SetControlText(kConcatCommandBox, "");
  SetControlText(kConcatOutputBox, "joined.ts");  // checked after the box
  EXPECT_EQ(Start(), " Error|FFmpeg command line error, maybe empty.");
  ChooseListItem(kConcatModeList, kWindowsFile);  // never reads the box
  SetControlText(kConcatCommandBox, "");
  EXPECT_EQ(Start(), " Note|" + kJoinPath);
  SetControlText(kConcatOutputBox, folder);  // an existing folder
  EXPECT_EQ(Start(), " Note|" + kJoinPath);

  // An existing output: No keeps it and writes no list file.
  const std::string output = folder + "\\joined.ts";
  Write(output, "old join");
  SetControlText(kConcatOutputBox, output);
  ChooseListItem(kConcatModeList, kDemuxer);
  EXPECT_EQ(Start(IDNO), " Warning|File already exits.\r\nOverwrite existing file?");
  EXPECT_TRUE(boxes_.Seen().back().questionIcon);
  EXPECT_EQ(boxes_.Seen().back().defaultButton, IDNO);
  EXPECT_EQ(Contents(output), "old join");
  EXPECT_FALSE(fs::exists(listFile));
  EXPECT_EQ(Contents(first), "first");
  EXPECT_EQ(Contents(second), "second");
  EXPECT_TRUE(Idle());
}

TEST_F(JobStartTest, ConcatDemuxerStartWritesTheListFileAfterYes) {
  const std::string folder = WorkFolder("concat-demuxer-start");
  const std::string part = SamplePath("broadcast.ts");
  const std::string output = folder + "\\joined.ts";
  Write(output, "old join");
  Click(kConcatButton);
  AddConcatInput(part);
  AddConcatInput(part);
  SetControlText(kConcatOutputBox, output);
  ChooseListItem(kConcatModeList, kDemuxer);
  boxes_.Answer(IDYES);
  boxes_.Answer(IDOK);  // the job's end
  Click(kStartButton);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(boxes_.Seen().back().text, "Job done, check the log data.");
  const std::string quoted = "file '" + part + "'\r\n";
  EXPECT_EQ(Contents(Resources().startDirectory + "\\files.txt"), quoted + quoted);
  EXPECT_GT(fs::file_size(output), 3 * fs::file_size(part) / 2);
}

TEST_F(JobStartTest, ConvertRefusesInOrder) {
  Click(kConvertButton);
  EXPECT_EQ(Start(), " Note|Babe, you should select a valid input file to convert...");
  const std::string input = SamplePath("broadcast.ts");
  ProbeConvertInput(input);
  SetControlText(kConvertOutputBox, "film.mkv");
  EXPECT_EQ(Start(), " Error|Please choose a valid path and output filename.");
  std::string sameFile = input;
  sameFile.back() = 'S';  // .tS
  SetControlText(kConvertOutputBox, sameFile);
  EXPECT_EQ(Start(), " Warning|" + kOutputIsInput);
  ChooseListItem(kConvertContainerList, 0);
  SetControlText(kConvertOutputBox, WorkFolder("convert-start") + "\\film");
  EXPECT_EQ(Start(), " Error|Select a file extension (container) for the converted file.");
  EXPECT_TRUE(Idle());
}

TEST_F(JobStartTest, ConvertAsksAboutAnExistingFolderAndShowsThePlatformsText) {
  ProbeConvertInput(SamplePath("broadcast.ts"));
  const std::string folder = WorkFolder("convert-folder-output") + "\\film.mkv";
  fs::create_directory(folder);
  ChooseListItem(kConvertContainerList, ListItemIndex(kConvertContainerList, ".mkv"));
  SetControlText(kConvertOutputBox, folder);
  boxes_.Answer(IDYES);
  EXPECT_EQ(Start(), " Error|Access denied.");
  EXPECT_EQ(boxes_.Seen().back().caption, " Error");
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(Idle());
}

TEST_F(JobStartTest, TrimRefusesItsOwnInputBeforeTheOverwriteQuestion) {
  const std::string folder = WorkFolder("trim-own-input");
  const std::string input = folder + "\\Recording.ts";
  fs::copy_file(SamplePath("broadcast.ts"), input);
  const std::string recording = Contents(input);
  Click(kTrimButton);
  EXPECT_EQ(Start(), " Note|You should add one ore more media files to the list.");
  ProbeTrimInput(input);
  CheckRow(kTrimSourceTable, 0, true);
  SetControlText(kTrimOutputBox, folder + "\\out.ts");
  EXPECT_EQ(Start(), " Error|FFmpeg command line error, maybe empty.");  // no cut yet
  AddCutOf("00:00:00.000", "00:00:01.000");
  SetControlText(kTrimOutputBox, "out.ts");
  EXPECT_EQ(Start(), " Note|" + kJoinPath);
  SetControlText(kTrimOutputBox, folder);
  EXPECT_EQ(Start(), " Note|" + kJoinPath);
  SetControlText(kTrimOutputBox, folder + "\\RECORDING.TS");
  EXPECT_EQ(Start(), " Warning|" + kOutputIsInput);
  EXPECT_EQ(Contents(input), recording);
  EXPECT_TRUE(Idle());
}

TEST_F(JobStartTest, TrimDeclinedKeepsTheTemporaryFolderAndTheOutput) {
  const std::string temp = Resources().tempDir;
  const std::string leftOver = temp + "\\temp0.ts";
  Write(leftOver, "an earlier cut");
  const std::string output = WorkFolder("trim-declined") + "\\cut.ts";
  Write(output, "an earlier output");
  ProbeTrimInput(SamplePath("broadcast.ts"));
  CheckRow(kTrimSourceTable, 0, true);
  AddCutOf("00:00:00.000", "00:00:01.000");
  SetControlText(kTrimOutputBox, output);
  EXPECT_EQ(Start(IDNO), " Warning|File already exits.\r\nOverwrite existing file?");
  EXPECT_EQ(Contents(output), "an earlier output");
  EXPECT_EQ(Contents(leftOver), "an earlier cut");
  EXPECT_TRUE(Idle());
}

TEST_F(JobStartTest, TrimEmptiesTheTemporaryFilesThenAsksForAConcatMode) {
  const std::string temp = Resources().tempDir;
  fs::create_directories(temp + "\\kept folder");
  Write(temp + "\\kept folder\\inside.txt", "stays");
  Write(temp + "\\temp7.ts", "an earlier cut");
  ProbeTrimInput(SamplePath("broadcast.ts"));
  CheckRow(kTrimSourceTable, 0, true);
  AddCutOf("00:00:00.000", "00:00:01.000");
  SetControlText(kTrimOutputBox, WorkFolder("trim-no-mode") + "\\cut.ts");
  // A hand-edited text with the mode list back on its caption: the mode is
  // checked only after the temporary folder was emptied.
  SelectListItem(kTrimConcatModeList, 0);
  EXPECT_EQ(Start(), " Note|Be so kind and select a Concat Mode from the drop down box.");
  EXPECT_FALSE(fs::exists(temp + "\\temp7.ts"));
  EXPECT_EQ(Contents(temp + "\\kept folder\\inside.txt"), "stays");
  EXPECT_TRUE(Idle());
  fs::remove_all(temp + "\\kept folder");
}

TEST_F(JobStartTest, TrimDemuxerStartWritesItsListIntoTheEmptiedFolder) {
  const std::string temp = Resources().tempDir;
  for (const auto& entry : fs::directory_iterator(temp)) fs::remove_all(entry);
  ProbeTrimInput(SamplePath("broadcast.ts"));
  CheckRow(kTrimSourceTable, 0, true);
  AddCutOf("00:00:00.000", "00:00:01.000");
  AddCutOf("00:00:02.000", "00:00:03.000");
  ChooseListItem(kTrimConcatModeList, kDemuxer);
  const std::string output = WorkFolder("trim-demuxer") + "\\cut.ts";
  SetControlText(kTrimOutputBox, output);
  RebuildTrimCommand();
  boxes_.Answer(IDOK);  // the job's end: an empty folder does not refuse
  Click(kStartButton);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(boxes_.Seen().back().text, "Job done, check the log data.");
  EXPECT_EQ(Contents(temp + "\\files.txt"),
            "file '" + temp + "\\temp0.ts'\r\nfile '" + temp + "\\temp1.ts'\r\n");
  EXPECT_TRUE(fs::exists(output));
}

TEST_F(JobStartTest, TrimCutOnlyLeavesTheCutsInTheTemporaryFolder) {
  ProbeTrimInput(SamplePath("broadcast.ts"));
  CheckRow(kTrimSourceTable, 0, true);
  AddCutOf("00:00:00.000", "00:00:01.000");
  ChooseListItem(kTrimConcatModeList, kCutOnly);
  const std::string output = WorkFolder("trim-cut-only") + "\\cut.ts";
  SetControlText(kTrimOutputBox, output);
  RebuildTrimCommand();
  boxes_.Answer(IDOK);
  Click(kStartButton);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_TRUE(fs::exists(Resources().tempDir + "\\temp0.ts"));
  EXPECT_FALSE(fs::exists(output));
}

}  // namespace
}  // namespace trellimux::test
