#include <gtest/gtest.h>

#include "jobs/OldFileRemoval.h"

namespace trellimux {
namespace {

TEST(OldFileRemoval, AHeldFileOrARemainingNameIsReportedAsHeld) {
  struct Case {
    OldFileFacts facts;
    OldFileRemoval judged;
  };
  const Case cases[] = {
      {{.deleted = true}, OldFileRemoval::kGone},
      // Delete sharing: the deletion is accepted, the name stays.
      {{.deleted = true, .nameRemains = true}, OldFileRemoval::kHeldOpen},
      // Without delete sharing, or found held before the deletion.
      {{.heldByAnother = true}, OldFileRemoval::kHeldOpen},
      // A folder, a read-only file, a missing right.
      {{}, OldFileRemoval::kFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.facts.heldByAnother << c.facts.deleted << c.facts.nameRemains);
    EXPECT_EQ(JudgeOldFileRemoval(c.facts), c.judged);
  }
}

TEST(OldFileRemoval, TextsNameTheFileAndWhatToDo) {
  EXPECT_EQ(HeldOutputFileText("D:\\out\\film.mkv"),
            "The old output file could not be replaced because another program still has it "
            "open: D:\\out\\film.mkv\r\n\r\nClose the program that uses it (a player, for "
            "example) and press Start again, or choose another output file.");
  EXPECT_EQ(HeldTemporaryFileText("C:\\Trellimux\\Temp\\temp0.ts"),
            "A temporary file could not be deleted because another program still has it open: "
            "C:\\Trellimux\\Temp\\temp0.ts\r\n\r\nClose the program that uses it (a player, for "
            "example) and press Start again.");
}

TEST(OldFileRemoval, TheBoxIsAnErrorWithOk) {
  const std::string text = HeldOutputFileText("D:\\a.ts");
  const MessageRequest box = HeldFileMessage(text);
  EXPECT_EQ(box.caption, " Error");
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace trellimux
