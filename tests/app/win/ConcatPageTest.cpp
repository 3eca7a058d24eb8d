// The Concat page in the real window: the first input sets the page up from
// its container, the list buttons keep list, selection and line in step,
// the option lists rebuild the line, and each mode keeps its own choices.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConcatPage.h"
#include "app/win/SharedResources.h"
#include "app/win/TableTestSupport.h"

namespace trellimux::test {
namespace {

constexpr int kMkv = 9;
constexpr int kTs = 16;
constexpr int kDemuxer = 1;
constexpr int kFileConcat = 2;
constexpr int kWindowsFile = 3;

const std::string kFirst = "D:\\rec\\a.TS";
const std::string kSecond = "D:\\rec\\b.ts";
const std::string kThird = "D:\\rec\\c.ts";

class ConcatPageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Click(kConcatButton);
  }

  static std::vector<std::string> ListedInputs() {
    std::vector<std::string> paths;
    for (int row = 0; row < RowCount(kConcatInputList); ++row)
      paths.push_back(CellText(kConcatInputList, row, 0));
    return paths;
  }
  static int SelectedRow() {
    return static_cast<int>(
        SendMessageA(Item(kConcatInputList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  static int Selected(int id) { return ListSelection(id).value_or(-1); }
  static std::string Command() { return ControlText(kConcatCommandBox); }
  static void SelectRow(int row) { ClickCell(kConcatInputList, row, 0); }

  void AddThree() {
    AddConcatInput(kFirst);
    AddConcatInput(kSecond);
    AddConcatInput(kThird);
  }
};

TEST_F(ConcatPageTest, FirstInputSetsUpThePageFromItsContainer) {
  AddConcatInput(kFirst);
  EXPECT_EQ(Selected(kConcatContainerList), kTs);  // .TS matches ".ts" in any case
  EXPECT_EQ(ControlText(kConcatOutputBox), "D:\\rec\\.ts");
  EXPECT_EQ(Selected(kConcatStreamSelectionList), 1);
  EXPECT_EQ(Selected(kConcatSubtitleList), 0);
  EXPECT_EQ(Selected(kConcatDataList), 0);
  EXPECT_EQ(Selected(kConcatModeList), kFileConcat);
  EXPECT_EQ(ConcatFilterExtension(), ".TS");
  EXPECT_FALSE(Enabled(kConcatContainerList));
  EXPECT_FALSE(Enabled(kConcatModeList));
  EXPECT_EQ(Command(), " -fflags genpts -i \"concat:D:\\rec\\a.TS\" -copy_unknown -map 0 -c copy "
                       "\"D:\\rec\\.ts\"");

  // Later inputs are appended and selected; the page is not set up again.
  ChooseListItem(kConcatSubtitleList, 1);
  AddConcatInput("E:\\other\\x.mkv");
  EXPECT_EQ(ListedInputs(), (std::vector<std::string>{kFirst, "E:\\other\\x.mkv"}));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Selected(kConcatContainerList), kTs);
  EXPECT_EQ(Command(), " -fflags genpts -i \"concat:D:\\rec\\a.TS|E:\\other\\x.mkv\" -sn "
                       "-copy_unknown -map 0 -c copy \"D:\\rec\\.ts\"");
  EXPECT_TRUE(boxes_.Seen().size() == 1);  // only the agreement
}

TEST_F(ConcatPageTest, UnknownFirstContainerIsNotedAndKeepsItsExtension) {
  boxes_.Answer(IDOK);
  AddConcatInput("D:\\rec\\a.mxf");
  ASSERT_EQ(boxes_.Seen().size(), 2u);
  EXPECT_EQ(boxes_.Seen().back().caption, " Note");
  EXPECT_EQ(boxes_.Seen().back().text.substr(0, 58),
            "Input container format not supported, you are on your own.");
  EXPECT_EQ(Selected(kConcatContainerList), 0);
  EXPECT_EQ(ControlText(kConcatOutputBox), "D:\\rec\\.mxf");
  EXPECT_EQ(Selected(kConcatModeList), kDemuxer);
  const std::string directory = Resources().startDirectory;
  EXPECT_EQ(Command(), " -fflags genpts -f concat -safe 0 -i \"" + directory + "\\files.txt\"" +
                           " -copy_unknown -map 0 -c copy \"D:\\rec\\.mxf\"");
}

TEST_F(ConcatPageTest, RemoveSelectsTheEntryAtItsPlaceOrTheLast) {
  AddThree();
  SelectRow(0);
  Click(kConcatRemoveButton);
  EXPECT_EQ(ListedInputs(), (std::vector<std::string>{kSecond, kThird}));
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));
  EXPECT_NE(Command().find("concat:" + kSecond + "|" + kThird + "\""), std::string::npos);

  SelectRow(1);
  Click(kConcatRemoveButton);
  EXPECT_EQ(ListedInputs(), std::vector<std::string>{kSecond});
  EXPECT_EQ(SelectedRow(), 0);

  // Removing the only entry leaves the page as at start, options aside.
  ChooseListItem(kConcatDataList, 1);
  Click(kConcatRemoveButton);
  EXPECT_EQ(RowCount(kConcatInputList), 0);
  EXPECT_EQ(Selected(kConcatContainerList), 0);
  EXPECT_EQ(Selected(kConcatModeList), 0);
  EXPECT_EQ(Selected(kConcatDataList), 1);
  EXPECT_EQ(ControlText(kConcatOutputBox), "");
  EXPECT_EQ(Command(), "");
  EXPECT_EQ(ConcatFilterExtension(), "");
}

TEST_F(ConcatPageTest, RemoveWithoutSelectionSelectsTheLast) {
  AddThree();
  ListView_SetItemState(Item(kConcatInputList), -1, 0, LVIS_SELECTED);
  Click(kConcatRemoveButton);
  EXPECT_EQ(RowCount(kConcatInputList), 3);
  EXPECT_EQ(SelectedRow(), 2);
}

TEST_F(ConcatPageTest, UpAndDownMoveTheSelectedEntryButNotPastTheEnds) {
  AddThree();
  SelectRow(2);
  Click(kConcatUpButton);
  EXPECT_EQ(ListedInputs(), (std::vector<std::string>{kFirst, kThird, kSecond}));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_NE(Command().find(kFirst + "|" + kThird + "|" + kSecond), std::string::npos);
  Click(kConcatUpButton);
  Click(kConcatUpButton);  // already first: nothing changes
  EXPECT_EQ(ListedInputs(), (std::vector<std::string>{kThird, kFirst, kSecond}));
  EXPECT_EQ(SelectedRow(), 0);

  // A hand edit survives a move that does not happen.
  SetControlText(kConcatCommandBox, "edited");
  Click(kConcatUpButton);
  EXPECT_EQ(Command(), "edited");
  SelectRow(2);
  Click(kConcatDownButton);
  EXPECT_EQ(Command(), "edited");
  SelectRow(0);
  Click(kConcatDownButton);
  EXPECT_EQ(ListedInputs(), (std::vector<std::string>{kFirst, kThird, kSecond}));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));
}

TEST_F(ConcatPageTest, ResetEmptiesTheListAndKeepsTheOptionsAndModes) {
  AddThree();
  ChooseListItem(kConcatStreamSelectionList, 4);
  Click(kConcatEditButton);
  Click(kConcatResetButton);
  EXPECT_EQ(RowCount(kConcatInputList), 0);
  EXPECT_EQ(Selected(kConcatContainerList), 0);
  EXPECT_EQ(Selected(kConcatModeList), 0);
  EXPECT_EQ(Selected(kConcatStreamSelectionList), 4);
  EXPECT_EQ(ControlText(kConcatOutputBox), "");
  EXPECT_EQ(Command(), "");
  EXPECT_EQ(App().commandLineEditable.concat, 1);

  // The next first file sets the page up again from its own container.
  AddConcatInput("F:\\mkv\\film.mkv");
  EXPECT_EQ(Selected(kConcatContainerList), kMkv);
  EXPECT_EQ(ControlText(kConcatOutputBox), "F:\\mkv\\.mkv");
  EXPECT_EQ(ConcatFilterExtension(), ".mkv");
}

TEST_F(ConcatPageTest, OptionAndModeListsRebuildTheLine) {
  AddConcatInput(kFirst);
  AddConcatInput(kSecond);
  const std::string inputs = " -fflags genpts -i \"concat:" + kFirst + "|" + kSecond + "\"";
  ChooseListItem(kConcatSubtitleList, 1);
  ChooseListItem(kConcatDataList, 1);
  ChooseListItem(kConcatStreamSelectionList, 5);
  EXPECT_EQ(Command(), inputs + " -sn -dn -vn -ignore_unknown -c:a copy \"D:\\rec\\.ts\"");
  ChooseListItem(kConcatSubtitleList, 0);
  EXPECT_EQ(Command(), inputs + " -dn -vn -ignore_unknown -c:a copy \"D:\\rec\\.ts\"");

  // Any notification of the mode list rebuilds, a selection change or not.
  SendMessageA(Item(kConcatModeList), CB_SETCURSEL, kWindowsFile, 0);
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(kConcatModeList, CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(Item(kConcatModeList)));
  EXPECT_EQ(Command(), " Concatenating media files using Windows functions.");
  ChooseListItem(kConcatModeList, 0);
  EXPECT_EQ(Command(), "Be so kind and select a Concat Mode from the drop down box.");
}

TEST_F(ConcatPageTest, EachModeKeepsItsOwnContainerAndConcatMode) {
  AddConcatInput(kFirst);
  Click(kConcatExpertButton);
  EXPECT_TRUE(LampChecked(kConcatExpertLamp));
  EXPECT_TRUE(Enabled(kConcatContainerList));
  EXPECT_EQ(Selected(kConcatContainerList), kTs);  // both memories took the first file's

  ChooseListItem(kConcatContainerList, kMkv);
  EXPECT_EQ(ControlText(kConcatOutputBox), "D:\\rec\\.mkv");
  EXPECT_EQ(Selected(kConcatStreamSelectionList), 0);
  EXPECT_EQ(Selected(kConcatSubtitleList), 1);
  EXPECT_EQ(Selected(kConcatDataList), 1);
  ChooseListItem(kConcatModeList, kDemuxer);
  EXPECT_EQ(Command().substr(0, 37), " -fflags genpts -f concat -safe 0 -i ");

  Click(kConcatExpertButton);
  EXPECT_FALSE(LampChecked(kConcatExpertLamp));
  EXPECT_FALSE(Enabled(kConcatContainerList));
  EXPECT_EQ(Selected(kConcatContainerList), kTs);
  EXPECT_EQ(Selected(kConcatModeList), kFileConcat);
  EXPECT_EQ(ControlText(kConcatOutputBox), "D:\\rec\\.ts");
  EXPECT_EQ(Selected(kConcatSubtitleList), 0);
  EXPECT_EQ(Command(), " -fflags genpts -i \"concat:D:\\rec\\a.TS\" -copy_unknown -map 0 -c copy "
                       "\"D:\\rec\\.ts\"");

  Click(kConcatExpertButton);
  EXPECT_EQ(Selected(kConcatContainerList), kMkv);
  EXPECT_EQ(Selected(kConcatModeList), kDemuxer);
  EXPECT_EQ(ControlText(kConcatOutputBox), "D:\\rec\\.mkv");

  // A first file of a new list leaves expert mode.
  Click(kConcatResetButton);
  AddConcatInput(kSecond);
  EXPECT_EQ(App().expertMode.concat, 0);
  EXPECT_FALSE(LampChecked(kConcatExpertLamp));
  EXPECT_FALSE(Enabled(kConcatModeList));
  EXPECT_EQ(Selected(kConcatContainerList), kTs);
}

}  // namespace
}  // namespace trellimux::test
