// The Convert page of the real program: an input chosen and probed, converted
// with easy-mode choices and with edited expert-mode parameters, and the
// starts that must be refused or asked about.
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/ProgramControls.h"
#include "cmdline/EasySlots.h"
#include "params/ParameterColumns.h"

namespace trellimux::test {
namespace {

struct ConvertMedia {
  std::string film;  // h264 + aac, 320x240, 2 s
  std::string outputs;
};

const ConvertMedia* media = nullptr;

void MakeConvertMedia() {
  static ConvertMedia made;
  const std::string root = FreshWorkFolder("convert");
  made.film = root + "\\film.mp4";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeMp4(made.film, 2, "320x240"));
  media = &made;
}

int EasyList(int slot) { return EasyListId(slot / 10, slot % 10); }

class EndToEndConvert : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeConvertMedia());
    }
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
  }

  void SetExpertMode(bool on) {
    EndToEndTest::SetExpertMode(kConvertExpertButton, kConvertExpertLamp, on);
  }

  void ChooseFilm() {
    ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->film));
    EXPECT_EQ(Program().Text(kConvertInputBox), media->film);
    const auto rows = Program().Rows(kConvertSourceTable, kCodec + 1);
    ASSERT_EQ(rows.size(), 2u) << "the probed streams are not listed";
    EXPECT_EQ(rows[0][kCodec], "h264");
    EXPECT_EQ(rows[1][kCodec], "aac");
  }

  // Types a parameter into a cell with the in-place editor: a click on the
  // cell, the text, Enter.
  void EditCell(int row, int column, const std::string& text) {
    ASSERT_TRUE(Done(Program().ClickCell(kConvertParameterTable, row, column)));
    HWND editor = Program().Control(kInPlaceEditor);
    ASSERT_NE(editor, nullptr) << "no in-place editor over cell " << row << "/" << column;
    ASSERT_TRUE(Done(Program().SetText(kInPlaceEditor, text)));
    ASSERT_TRUE(SendWait(editor, WM_CHAR, VK_RETURN, 1).has_value());
    EXPECT_FALSE(IsWindow(editor)) << "Enter did not close the editor";
    const auto rows = Program().Rows(kConvertParameterTable, column + 1);
    ASSERT_GT(rows.size(), static_cast<std::size_t>(row));
    EXPECT_EQ(rows[row][column], text);
  }

  std::string Output(const std::string& name) const { return media->outputs + "\\" + name; }
};

// Runs first in its suite: nothing has been probed yet.
TEST_F(EndToEndConvert, RefusesAStartAndPlayingBeforeAnInputIsChosen) {
  ASSERT_EQ(Program().RowCount(kConvertSourceTable), 0) << "an input was probed before";
  ASSERT_NO_FATAL_FAILURE(
      ExpectRefusal(" Note", "Babe, you should select a valid input file to convert..."));
  ASSERT_EQ(Program().Text(kConvertInputBox), "");
  ASSERT_EQ(Program().Text(kConvertOutputBox), "");
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kConvertPlayInputButton, " Note", kNothingToPlayText));
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kConvertPlayOutputButton, " Note", kNothingToPlayText));
}

TEST_F(EndToEndConvert, ConvertsWithEasyModeChoices) {
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
  ASSERT_NO_FATAL_FAILURE(ChooseFilm());
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  ASSERT_TRUE(Done(Program().Select(EasyList(kVideoCodecSlot), "mpeg4")));
  ASSERT_TRUE(Done(Program().Select(EasyList(kSizeSlot), "160/120")));
  ASSERT_TRUE(Done(Program().Select(EasyList(kAudioCodecSlot), "mp2")));
  ASSERT_TRUE(Done(Program().Select(EasyList(kSampleRateSlot), "44100")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, Output("easy.avi")));
  ASSERT_EQ(Program().Text(kConvertOutputBox), Output("easy.mkv"));

  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  const MediaFacts facts = ProbeMedia(Output("easy.mkv"));
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  EXPECT_EQ(facts.format, "matroska,webm");
  EXPECT_NEAR(facts.duration, 2.0, 0.15);
  ASSERT_EQ(facts.streams.size(), 2u) << facts.report;
  EXPECT_EQ(facts.streams[0].codec, "mpeg4");
  EXPECT_EQ(facts.streams[0].width, 160);
  EXPECT_EQ(facts.streams[0].height, 120);
  EXPECT_EQ(facts.streams[1].codec, "mp2");
  EXPECT_EQ(facts.streams[1].sampleRate, 44100);
}

TEST_F(EndToEndConvert, ConvertsWithEditedExpertModeParameters) {
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
  ASSERT_NO_FATAL_FAILURE(ChooseFilm());
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  ASSERT_EQ(Program().RowCount(kConvertParameterTable), 2);
  // The video alone, made smaller. The reported profile ("Constrained
  // Baseline") goes into the command as it stands, where its blank splits
  // it: it is given as the encoder names it.
  ASSERT_TRUE(Done(Program().CheckRow(kConvertParameterTable, 0, true)));
  ASSERT_TRUE(Done(Program().CheckRow(kConvertParameterTable, 1, false)));
  ASSERT_NO_FATAL_FAILURE(EditCell(0, kProfile, "Baseline"));
  ASSERT_NO_FATAL_FAILURE(EditCell(0, kWidth, "96"));
  ASSERT_NO_FATAL_FAILURE(EditCell(0, kHeight, "72"));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, Output("expert.mkv")));
  ASSERT_EQ(Program().Text(kConvertOutputBox), Output("expert.mkv"));

  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  const MediaFacts facts = ProbeMedia(Output("expert.mkv"));
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  EXPECT_EQ(facts.format, "matroska,webm");
  EXPECT_NEAR(facts.duration, 2.0, 0.15);
  ASSERT_EQ(facts.streams.size(), 1u) << "the unchecked audio was converted too\n" << facts.report;
  EXPECT_EQ(facts.streams[0].codec, "h264");
  EXPECT_EQ(facts.streams[0].width, 96);
  EXPECT_EQ(facts.streams[0].height, 72);
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

// Names beyond one Western code page: the program's text is UTF-8, so the
// dialog, the probe, the job and the log all keep the letters.
TEST_F(EndToEndConvert, ConvertsFilesNamedInPolishAndJapaneseLetters) {
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
  // "Łódź 東京", "wycieczka Łódź 東京.mp4", "Nachrichten – Ü 日.mkv"
  const std::string folder = media->outputs + "\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
  const std::string input = folder + "\\wycieczka \xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC.mp4";
  const std::string output = folder + "\\Nachrichten \xE2\x80\x93 \xC3\x9C \xE6\x97\xA5.mkv";
  ASSERT_TRUE(CopyFileA(media->film.c_str(), input.c_str(), TRUE)) << GetLastError();

  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, input));
  EXPECT_EQ(Program().Text(kConvertInputBox), input);
  ASSERT_EQ(Program().RowCount(kConvertSourceTable), 2) << "the probe did not read the file";
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));
  ASSERT_EQ(Program().Text(kConvertOutputBox), output);

  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  EXPECT_NE(log.find("from '" + input + "'"), std::string::npos)
      << "ffmpeg's UTF-8 output is not shown as written:\n" << log;
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  EXPECT_EQ(facts.streams.size(), 2u) << facts.report;
  EXPECT_NEAR(facts.duration, 2.0, 0.15);

  // Letters typed into the command box arrive as typed: keyboard characters
  // come through the program's message queue ("L" arrived for "Ł" before).
  ASSERT_TRUE(Done(Program().Click(kConvertEditButton)));
  HWND box = Program().Control(kConvertCommandBox);
  ASSERT_TRUE(SendWait(box, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF).has_value());
  for (const wchar_t typed : std::wstring(L"\u0141\u00F3d\u017A \u6771"))
    ASSERT_TRUE(PostMessageW(box, WM_CHAR, typed, 1));
  const std::string expected = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1";  // "Łódź 東"
  std::string shown;
  EXPECT_TRUE(PollUntil(kStepTimeoutMs, [&] {
    shown = Program().Text(kConvertCommandBox);
    return shown.ends_with(expected);
  })) << shown;
  ASSERT_TRUE(Done(Program().Click(kConvertEditButton)));
}

TEST_F(EndToEndConvert, RefusesTheInputAsOutputAndAsksBeforeReplacing) {
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
  ASSERT_NO_FATAL_FAILURE(ChooseFilm());
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mp4")));
  const FileStamp filmStamp = StampOf(media->film);

  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, media->film));
  ASSERT_EQ(Program().Text(kConvertOutputBox), media->film);
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Warning", kOutputIsInputText));
  EXPECT_TRUE(StampOf(media->film) == filmStamp) << "the input was touched";

  // No to the question: the older file stays as it was.
  const std::string existing = Output("existing.mp4");
  const std::string older = "an older file, kept unless the user agrees\r\n";
  WriteFileBytes(existing, older);
  const FileStamp existingStamp = StampOf(existing);
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, existing));
  ASSERT_NO_FATAL_FAILURE(DeclineOverwrite());
  EXPECT_EQ(FileBytes(existing), older);
  EXPECT_TRUE(StampOf(existing) == existingStamp) << existing << " was touched";

  // A folder is asked about like a file; its deletion then fails with the
  // system's own text and nothing starts.
  const std::string folder = Output("folder.mp4");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, Output("folder.avi")));
  ASSERT_EQ(Program().Text(kConvertOutputBox), folder);
  ShownBox box;
  ASSERT_NO_FATAL_FAILURE(PressStart(box));
  EXPECT_EQ(box.text, kOverwriteQuestion);
  ASSERT_NO_FATAL_FAILURE(Answer(box, IDYES));
  std::optional<ShownBox> error = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(error) << Program().Failure();
  EXPECT_EQ(error->caption, " Error");
  EXPECT_FALSE(error->text.empty());
  ASSERT_NO_FATAL_FAILURE(Answer(*error, IDOK));
  ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
  EXPECT_TRUE(FolderExists(folder));
}

}  // namespace
}  // namespace trellimux::test
