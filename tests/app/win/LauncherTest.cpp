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
  static void DeselectAll(int list) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    SendMessageA(Item(list), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
  }
};

TEST_F(LauncherTest, ConcatPlaysTheSelectedInputAndTheOutput) {
  Click(kConcatButton);
  EXPECT_EQ(ClickForBox(kConcatPlayButton), kNothingToPlay);
  EXPECT_EQ(ClickForBox(kConcatPlayOutputButton), kNothingToPlay);
  AddConcatInput("C:\\windows\\a.ts");
  EXPECT_EQ(ClickForBox(kConcatPlayButton), kMissingFile);
  EXPECT_EQ(boxes_.Seen().back().caption, " Error");
  // The proposed output (folder and extension) does not exist yet.
  EXPECT_EQ(ControlText(kConcatOutputBox), "C:\\windows\\.ts");
  EXPECT_EQ(ClickForBox(kConcatPlayOutputButton), kMissingFile);
  DeselectAll(kConcatInputList);
  EXPECT_EQ(ClickForBox(kConcatPlayButton), kNothingToPlay);
}

TEST_F(LauncherTest, ConvertNotesAnEmptyBoxWhereTrimStaysSilent) {
  Click(kConvertButton);
  EXPECT_EQ(ClickForBox(kConvertPlayInputButton), kNothingToPlay);
  EXPECT_EQ(ClickForBox(kConvertPlayOutputButton), kNothingToPlay);
  SetControlText(kConvertOutputBox, "C:\\windows\\out.mkv");
  EXPECT_EQ(ClickForBox(kConvertPlayOutputButton), kMissingFile);

  Click(kTrimButton);
  EXPECT_EQ(ClickForBox(kTrimPlayInputButton), "");
  EXPECT_EQ(ClickForBox(kTrimPlayOutputButton), "");
  SetControlText(kTrimInputBox, "C:\\windows\\film.ts");
  EXPECT_EQ(ClickForBox(kTrimPlayInputButton), kMissingFile);
}

TEST_F(LauncherTest, TrimPlaysTheSelectedCutsFile) {
  Click(kTrimButton);
  SetControlText(kTrimOutputBox, "C:\\missing\\film");
  EXPECT_EQ(ClickForBox(kCutPlayButton), "");  // no cuts
  Click(kCutAddButton);
  Click(kCutAddButton);
  DeselectAll(kCutList);
  // Said before the selection is looked at.
  EXPECT_EQ(ClickForBox(kCutPlayButton), " Note|File not found, file extension not specified.");
  SetControlText(kTrimOutputBox, "C:\\missing\\film.mkv");
  EXPECT_EQ(ClickForBox(kCutPlayButton), " Note|No cut file selected.");
  ClickCell(kCutList, 1, 0);
  // The cut has not been made: the platform cannot find it.
  EXPECT_EQ(ClickForBox(kCutPlayButton), kMissingFile);
  SetControlText(kTrimOutputBox, "");
  EXPECT_EQ(ClickForBox(kCutPlayButton), "");
}

}  // namespace
}  // namespace trellimux::test
