// The play buttons of the real window: the note when there is nothing to
// play (or silence on the Trim page), and the platform's own text when the
// file cannot be opened. Only missing files are opened here: an existing one
// would start whatever the platform has registered for it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConcatPage.h"
#include "app/win/TableTestSupport.h"
#include "app/win/TrimPage.h"

namespace trellimux::test {
namespace {

const std::string kNothingToPlay = " Note|Select a media file to play.";
const std::string kMissingFile = " Error|File not found.";

class LauncherTest : public MainWindowTest {
 protected:
  // Clicks the button and reports the box it showed, "" for none.
  std::string Press(int button) {
    const std::size_t before = boxes_.Seen().size();
    boxes_.Answer(IDOK);
    Click(button);
    if (boxes_.Seen().size() == before) {
      boxes_.DropUnusedAnswers();
      return "";
    }
    return boxes_.Seen().back().caption + "|" + boxes_.Seen().back().text;
  }
  static void DeselectAll(int list) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    SendMessageA(Item(list), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
  }
};

TEST_F(LauncherTest, ConcatPlaysTheSelectedInputAndTheOutput) {
  Click(kConcatButton);
  EXPECT_EQ(Press(kConcatPlayButton), kNothingToPlay);
  EXPECT_EQ(Press(kConcatPlayOutputButton), kNothingToPlay);
  AddConcatInput("C:\\windows\\a.ts");
  EXPECT_EQ(Press(kConcatPlayButton), kMissingFile);
  EXPECT_EQ(boxes_.Seen().back().caption, " Error");
  // The proposed output (folder and extension) does not exist yet.
  EXPECT_EQ(ControlText(kConcatOutputBox), "C:\\windows\\.ts");
  EXPECT_EQ(Press(kConcatPlayOutputButton), kMissingFile);
  DeselectAll(kConcatInputList);
  EXPECT_EQ(Press(kConcatPlayButton), kNothingToPlay);
}

TEST_F(LauncherTest, ConvertNotesAnEmptyBoxWhereTrimStaysSilent) {
  Click(kConvertButton);
  EXPECT_EQ(Press(kConvertPlayInputButton), kNothingToPlay);
  EXPECT_EQ(Press(kConvertPlayOutputButton), kNothingToPlay);
  SetControlText(kConvertOutputBox, "C:\\windows\\out.mkv");
  EXPECT_EQ(Press(kConvertPlayOutputButton), kMissingFile);

  Click(kTrimButton);
  EXPECT_EQ(Press(kTrimPlayInputButton), "");
  EXPECT_EQ(Press(kTrimPlayOutputButton), "");
  SetControlText(kTrimInputBox, "C:\\windows\\film.ts");
  EXPECT_EQ(Press(kTrimPlayInputButton), kMissingFile);
}

TEST_F(LauncherTest, TrimPlaysTheSelectedCutsFile) {
  Click(kTrimButton);
  SetControlText(kTrimOutputBox, "C:\\missing\\film");
  EXPECT_EQ(Press(kCutPlayButton), "");  // no cuts
  Click(kCutAddButton);
  Click(kCutAddButton);
  DeselectAll(kCutList);
  // Said before the selection is looked at.
  EXPECT_EQ(Press(kCutPlayButton), " Note|File not found, file extension not specified.");
  SetControlText(kTrimOutputBox, "C:\\missing\\film.mkv");
  EXPECT_EQ(Press(kCutPlayButton), " Note|No cut file selected.");
  ClickCell(kCutList, 1, 0);
  // The cut has not been made: the platform cannot find it.
  EXPECT_EQ(Press(kCutPlayButton), kMissingFile);
  SetControlText(kTrimOutputBox, "");
  EXPECT_EQ(Press(kCutPlayButton), "");
}

}  // namespace
}  // namespace trellimux::test
