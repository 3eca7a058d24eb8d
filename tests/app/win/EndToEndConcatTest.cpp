// The Concat page of the real program, from "Add" to the joined file: three
// parts of a split recording are joined in each concat mode, and the starts
// that must be refused are refused with their texts, changing nothing.
#include <cmath>
#include <numeric>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"

namespace trellimux::test {
namespace {

// Three MPEG-TS parts whose time stamps follow on, as a receiver splits a
// recording, and what they hold together.
struct Parts {
  std::string folder;
  std::string outputs;
  std::vector<std::string> paths;
  std::string joinedBytes;
  double duration = 0;
  int frames = 0;
};

const Parts* parts = nullptr;

void MakeParts() {
  static Parts made;
  const std::string root = FreshWorkFolder("concat");
  made.folder = root + "\\parts";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.folder.c_str(), nullptr);
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  // Lengths in whole frames (40 ms) and whole mp2 frames (24 ms).
  const double lengths[] = {0.96, 0.72, 1.2};
  double offset = 0;
  for (int i = 0; i < 3; ++i) {
    const std::string path = made.folder + "\\part" + std::to_string(i + 1) + ".ts";
    ASSERT_NO_FATAL_FAILURE(MakeTransportStream(path, lengths[i], "160x120", offset));
    offset += lengths[i];
    const MediaFacts facts = ProbeMedia(path);
    ASSERT_TRUE(facts.probed) << facts.report;
    ASSERT_GT(facts.duration, 0.5) << facts.report;
    const int frames = VideoFrameCount(path);
    ASSERT_GT(frames, 10) << path;
    made.paths.push_back(path);
    made.joinedBytes += FileBytes(path);
    made.duration += facts.duration;
    made.frames += frames;
  }
  parts = &made;
}

std::string ListFilePath() { return ToolsFolder() + "\\files.txt"; }

class EndToEndConcat : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!parts) {
      ASSERT_NO_FATAL_FAILURE(MakeParts());
    }
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
    ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
    ASSERT_EQ(Program().RowCount(kConcatInputList), 0);
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
  }

  void SetExpertMode(bool on) {
    EndToEndTest::SetExpertMode(kConcatExpertButton, kConcatExpertLamp, on);
  }

  // The first part alone: the other parts it offers are declined.
  void AddFirstPartAlone() {
    ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, parts->paths[0]));
    std::string question;
    ASSERT_NO_FATAL_FAILURE(AnswerPartsQuestion(IDNO, &question));
    EXPECT_EQ(question, "Add the other 2 parts of this recording?\r\n\r\npart2.ts\r\npart3.ts");
  }

  // "Add" with its dialog, once per part, in order.
  void AddParts() {
    ASSERT_NO_FATAL_FAILURE(AddFirstPartAlone());
    // A part of the recording is listed: the others are not offered again.
    for (std::size_t i = 1; i < parts->paths.size(); ++i)
      ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, parts->paths[i]));
    std::vector<std::vector<std::string>> expected;
    for (const std::string& path : parts->paths) expected.push_back({path});
    ASSERT_EQ(Program().Rows(kConcatInputList, 1), expected);
  }

  // Joined by ffmpeg: as long as the parts together, every frame kept.
  void ExpectJoined(const std::string& path) {
    const MediaFacts facts = ProbeMedia(path);
    ASSERT_TRUE(facts.probed) << path << "\n" << facts.report;
    EXPECT_EQ(facts.streams.size(), 2u) << facts.report;
    EXPECT_NEAR(facts.duration, parts->duration, 0.1) << path;
    EXPECT_EQ(VideoFrameCount(path), parts->frames) << path;
  }

  std::string Output(const std::string& name) const { return parts->outputs + "\\" + name; }
};

TEST_F(EndToEndConcat, JoinsThePartsInEachConcatMode) {
  ASSERT_NO_FATAL_FAILURE(AddParts());
  // The first part set the page up for MPEG-TS.
  EXPECT_EQ(Program().SelectedText(kConcatContainerList), ".ts");
  EXPECT_EQ(Program().SelectedText(kConcatModeList), "FFmpeg File");
  EXPECT_EQ(Program().Text(kConcatOutputBox), parts->folder + "\\.ts");

  // The container's extension replaces the one typed in the dialog.
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, Output("joined-file.mkv")));
  ASSERT_EQ(Program().Text(kConcatOutputBox), Output("joined-file.ts"));
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  ExpectJoined(Output("joined-file.ts"));

  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg Demuxer")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, Output("joined-demuxer.ts")));
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  ExpectJoined(Output("joined-demuxer.ts"));
  std::string list;
  for (const std::string& path : parts->paths) list += "file '" + path + "'\r\n";
  EXPECT_EQ(FileBytes(ListFilePath()), list);

  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "Windows File")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, Output("joined-bytes.ts")));
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  EXPECT_TRUE(FileBytes(Output("joined-bytes.ts")) == parts->joinedBytes)
      << "the byte join is not the parts' bytes one after the other";
  EXPECT_NE(log.find(" Concatenating media files using Windows functions."), std::string::npos)
      << log;
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndConcat, RefusesAStartWithoutInputsConcatModeOrCommand) {
  EXPECT_EQ(Program().SelectedText(kConcatModeList), "Concat Mode");
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Note", kNoConcatModeText));

  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  for (const char* mode : {"FFmpeg Demuxer", "FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Note", kNoInputsText));
  }

  // With inputs, the mode's caption item is refused too.
  ASSERT_NO_FATAL_FAILURE(AddParts());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "Concat Mode")));
  EXPECT_EQ(Program().Text(kConcatCommandBox), kNoConcatModeText);
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Note", kNoConcatModeText));

  // A command box emptied by hand: ffmpeg would get nothing to do.
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg Demuxer")));
  ASSERT_TRUE(Done(Program().Click(kConcatEditButton)));
  ASSERT_TRUE(Program().IsChecked(kConcatEditLamp));
  ASSERT_TRUE(Done(Program().SetText(kConcatCommandBox, "")));
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Error", "FFmpeg command line error, maybe empty."));
  ASSERT_TRUE(Done(Program().Click(kConcatEditButton)));
  EXPECT_FALSE(Program().IsChecked(kConcatEditLamp));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndConcat, PlayButtonsNameWhatIsMissing) {
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kConcatPlayButton, " Note", kNothingToPlayText));
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kConcatPlayOutputButton, " Note", kNothingToPlayText));
  // Right after the first "Add" the output is only a folder and an
  // extension: no such file, and the system says so.
  ASSERT_NO_FATAL_FAILURE(AddFirstPartAlone());
  ASSERT_FALSE(FileExists(Program().Text(kConcatOutputBox)));
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kConcatPlayOutputButton, " Error", "File not found."));
}

TEST_F(EndToEndConcat, RefusesAnOutputThatIsOneOfTheInputs) {
  ASSERT_NO_FATAL_FAILURE(AddParts());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  WriteFileBytes(ListFilePath(), "list file of an earlier run\r\n");
  const FileStamp listStamp = StampOf(ListFilePath());
  std::vector<FileStamp> stamps;
  for (const std::string& path : parts->paths) stamps.push_back(StampOf(path));

  const std::string& input = parts->paths[1];
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, input));
  ASSERT_EQ(Program().Text(kConcatOutputBox), input);
  const std::pair<const char*, std::string_view> modes[] = {
      {"FFmpeg Demuxer", " Warning"}, {"FFmpeg File", " Warning"}, {"Windows File", " Error"}};
  for (const auto& [mode, caption] : modes) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ExpectRefusal(caption, kOutputIsInputText));
  }

  // Letter case does not make it another file.
  const std::string shouted = parts->folder + "\\PART2.mkv";
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, shouted));
  ASSERT_EQ(Program().Text(kConcatOutputBox), parts->folder + "\\PART2.ts");
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Error", kOutputIsInputText));

  for (std::size_t i = 0; i < parts->paths.size(); ++i)
    EXPECT_TRUE(StampOf(parts->paths[i]) == stamps[i]) << parts->paths[i] << " was touched";
  EXPECT_TRUE(StampOf(ListFilePath()) == listStamp) << "the list file was written";
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndConcat, RefusesAFolderAsOutput) {
  ASSERT_NO_FATAL_FAILURE(AddParts());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  // Named "folder.mkv" in the dialog, the output becomes the folder folder.ts.
  const std::string folder = Output("folder.ts");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, Output("folder.mkv")));
  ASSERT_EQ(Program().Text(kConcatOutputBox), folder);
  for (const char* mode : {"FFmpeg Demuxer", "FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Note", kJoinPathText));
  }
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_TRUE(FilesIn(folder).empty());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndConcat, OverwritesAnExistingOutputOnlyAfterYes) {
  ASSERT_NO_FATAL_FAILURE(AddParts());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  const std::string existing = Output("existing.ts");
  const std::string older = "an older file, kept unless the user agrees\r\n";
  WriteFileBytes(existing, older);
  WriteFileBytes(ListFilePath(), "list file of an earlier run\r\n");
  const FileStamp existingStamp = StampOf(existing);
  const FileStamp listStamp = StampOf(ListFilePath());
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, existing));
  ASSERT_EQ(Program().Text(kConcatOutputBox), existing);

  // No: neither the output nor the list file is touched, no job runs.
  for (const char* mode : {"FFmpeg Demuxer", "FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(DeclineOverwrite());
    EXPECT_EQ(FileBytes(existing), older);
    EXPECT_TRUE(StampOf(existing) == existingStamp) << existing << " was touched";
    EXPECT_TRUE(StampOf(ListFilePath()) == listStamp) << "the list file was written";
  }

  // Yes: the join replaces it.
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log, /*overwrite=*/true));
  EXPECT_TRUE(FileBytes(existing) == parts->joinedBytes)
      << "the byte join did not replace the older file with the parts' bytes";
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndConcat, AByteJoinWhoseInputVanishedFailsWithTheSystemText) {
  // A copy of the second part that is gone by the time the job runs.
  const std::string vanishing = Output("vanishing.ts");
  WriteFileBytes(vanishing, FileBytes(parts->paths[1]));
  ASSERT_NO_FATAL_FAILURE(AddFirstPartAlone());
  ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, vanishing));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "Windows File")));
  const std::string output = Output("vanished-join.ts");
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, output));
  ASSERT_TRUE(DeleteFileA(vanishing.c_str()));

  ShownBox box;
  ASSERT_NO_FATAL_FAILURE(PressStart(box));
  const ShownBox ended = box;
  std::string log;
  ASSERT_NO_FATAL_FAILURE(FinishJob(box, log));
  EXPECT_EQ(ended.caption, " Error");
  EXPECT_NE(ended.text, kDoneText);
  EXPECT_FALSE(ended.text.empty());
  // The output was made before the inputs were measured, and stays empty.
  EXPECT_TRUE(FileExists(output));
  EXPECT_EQ(FileBytes(output), "");
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

}  // namespace
}  // namespace trellimux::test
