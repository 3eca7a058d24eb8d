// A byte join of files that would play only their first part asks first in
// the real program: MP4 parts on the Concat page, and MP4 cuts on the Trim
// page. No leaves everything as it was: no job, no file written or deleted.
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"

namespace trellimux::test {
namespace {

constexpr std::string_view kByteJoinQuestion =
    "Files of this type cannot be joined byte by byte: the joined file would play only the first "
    "part.\r\nThe concat mode \"FFmpeg Demuxer\" joins them whole.\r\n\r\nJoin them byte by byte "
    "anyway?";

struct ByteJoinMedia {
  std::string folder;
  std::vector<std::string> parts;  // two MP4 parts
  std::string existing;            // an output of an earlier run
};

const ByteJoinMedia* media = nullptr;

void MakeByteJoinMedia() {
  static ByteJoinMedia made;
  made.folder = FreshWorkFolder("byte-join");
  for (const char* name : {"\\part1.mp4", "\\part2.mp4"}) {
    made.parts.push_back(made.folder + name);
    ASSERT_NO_FATAL_FAILURE(MakeMp4(made.parts.back(), 1, "160x120"));
  }
  made.existing = made.folder + "\\joined.mp4";
  WriteFileBytes(made.existing, "an older file, kept unless the user agrees\r\n");
  media = &made;
}

class EndToEndByteJoin : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeByteJoinMedia());
    }
  }

  // Start asks before the overwrite question; No leaves the program idle and
  // the existing output and the temporary folder untouched.
  void ExpectQuestionDeclined() {
    const std::string temp = ToolsFolder() + "\\Temp";
    const std::vector<std::string> tempFiles = FilesIn(temp);
    const FileStamp existing = StampOf(media->existing);
    const std::string log = Program().LogText();
    ShownBox box;
    ASSERT_NO_FATAL_FAILURE(PressStart(box));
    EXPECT_EQ(box.caption, " Warning");
    EXPECT_EQ(box.text, kByteJoinQuestion);
    ASSERT_NO_FATAL_FAILURE(Answer(box, IDNO));
    ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
    EXPECT_TRUE(StampOf(media->existing) == existing) << "the existing output was touched";
    EXPECT_EQ(FilesIn(temp), tempFiles) << "the temporary folder changed";
    EXPECT_EQ(Program().LogText(), log) << "a job ran";
  }
};

TEST_F(EndToEndByteJoin, ConcatOfMp4PartsAsksAndNoStartsNothing) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
  ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
  for (const std::string& part : media->parts)
    ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, part));
  SetExpertMode(kConcatExpertButton, kConcatExpertLamp, true);
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, media->existing));
  ASSERT_EQ(Program().Text(kConcatOutputBox), media->existing);
  for (const char* mode : {"FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestionDeclined());
  }
  // The demuxer reads each part as a file of its own: no question.
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg Demuxer")));
  ASSERT_NO_FATAL_FAILURE(DeclineOverwrite());
  SetExpertMode(kConcatExpertButton, kConcatExpertLamp, false);
}

TEST_F(EndToEndByteJoin, TrimJoinOfMp4CutsAsksAndNoStartsNothing) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, media->parts[0]));
  ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, 0, true)));
  ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 0, 0}, {0, 0, 0, 500}));
  SetExpertMode(kTrimExpertButton, kTrimExpertLamp, true);
  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Copy")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->existing));
  ASSERT_EQ(Program().Text(kTrimOutputBox), media->existing);
  for (const char* mode : {"FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestionDeclined());
  }
  SetExpertMode(kTrimExpertButton, kTrimExpertLamp, false);
}

}  // namespace
}  // namespace trellimux::test
