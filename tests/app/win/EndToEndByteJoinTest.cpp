// A byte join of MP4 parts asks first in the real program; No leaves
// everything as it was: no job, the existing output untouched.
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"

namespace trellimux::test {
namespace {

constexpr std::string_view kByteJoinQuestion =
    "Files of this type cannot be joined byte by byte: the joined file would play only the first "
    "part.\r\nThe concat mode \"FFmpeg Demuxer\" joins them whole.\r\n\r\nJoin them byte by byte "
    "anyway?";

class EndToEndByteJoin : public EndToEndTest {};

TEST_F(EndToEndByteJoin, ConcatOfMp4PartsAsksAndNoStartsNothing) {
  const std::string folder = FreshWorkFolder("byte-join");
  const std::string existing = folder + "\\joined.mp4";
  WriteFileBytes(existing, "an older file, kept unless the user agrees\r\n");
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
  ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
  for (const char* name : {"\\part1.mp4", "\\part2.mp4"}) {
    ASSERT_NO_FATAL_FAILURE(MakeMp4(folder + name, 1, "160x120"));
    ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, folder + name));
  }
  SetExpertMode(kConcatExpertButton, kConcatExpertLamp, true);
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, existing));
  const FileStamp stamp = StampOf(existing);
  for (const char* mode : {"FFmpeg File", "Windows File"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ShownBox box;
    ASSERT_NO_FATAL_FAILURE(PressStart(box));  // before the overwrite question
    EXPECT_EQ(box.caption, " Warning");
    EXPECT_EQ(box.text, kByteJoinQuestion);
    ASSERT_NO_FATAL_FAILURE(Answer(box, IDNO));
    ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
    EXPECT_TRUE(StampOf(existing) == stamp) << "the existing output was touched";
    EXPECT_EQ(Program().LogText(), "") << "a job ran";
  }
  // The demuxer reads each part as a file of its own: no question.
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg Demuxer")));
  ASSERT_NO_FATAL_FAILURE(DeclineOverwrite());
  SetExpertMode(kConcatExpertButton, kConcatExpertLamp, false);
}

}  // namespace
}  // namespace trellimux::test
