// The Trim page in the real window: the cut-list buttons, the time fields
// and their spinners, loading a cut back, the choices of a new input and of
// the two views, and the command text they rebuild.
#include <windows.h>

#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/JobControl.h"
#include "app/win/SharedResources.h"
#include "app/win/TableTestSupport.h"
#include "app/win/TrimPage.h"
#include "media/SampleMedia.h"

namespace trellimux::test {
namespace {

constexpr int kMp4 = 12;
constexpr int kMkv = 9;
constexpr int kTs = 16;
constexpr int kReencode = 1;
constexpr int kCopy = 2;
constexpr int kDemuxer = 1;
constexpr int kFileConcat = 2;

struct CutRow {
  std::string number, in, out;
  bool operator==(const CutRow&) const = default;
  friend void PrintTo(const CutRow& row, std::ostream* out) {
    *out << row.number << " " << row.in << " " << row.out;
  }
};

class TrimPageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Click(kTrimButton);
  }

  static std::vector<CutRow> Cuts() {
    std::vector<CutRow> rows;
    for (int row = 0; row < RowCount(kCutList); ++row)
      rows.push_back({CellText(kCutList, row, 0), CellText(kCutList, row, 1), CellText(kCutList, row, 2)});
    return rows;
  }
  static int SelectedCut() {
    return static_cast<int>(
        SendMessageA(Item(kCutList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  static int Selected(int id) { return ListSelection(id).value_or(-1); }

  static void SetPicker(int id, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time{};
    time.wYear = 2000;
    time.wMonth = 1;
    time.wDay = 1;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    SendMessageA(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }
  static std::string PickerText(int id) {
    SYSTEMTIME time{};
    SendMessageA(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    char text[16];
    wsprintfA(text, "%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
    return text;
  }
  static int SpinnerValue(int id) {
    return static_cast<int>(SendMessageA(Item(id), UDM_GETPOS32, 0, 0));
  }
  // A click on the upper (up) or lower (down) arrow of a spinner.
  static void ClickSpinner(int id, bool up) {
    RECT area = ClientRectOf(Item(id));
    const LPARAM point = MAKELPARAM((area.right - area.left) / 2,
                                    up ? (area.bottom - area.top) / 4 : (area.bottom - area.top) * 3 / 4);
    SendMessageA(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(Item(id), WM_LBUTTONUP, 0, point);
    PumpMessages();
  }
  // Sets the spinner to `value` by its own steps from where it stands.
  static void SpinTo(int id, int value) {
    for (int guard = 0; guard < 1000 && SpinnerValue(id) != value; ++guard) ClickSpinner(id, true);
  }

  static void EnterCut(WORD inMinute, WORD outMinute) {
    SetPicker(kCutInTime, 0, inMinute, 0);
    SetPicker(kCutOutTime, 0, outMinute, 30);
    Click(kCutAddButton);
  }
};

TEST_F(TrimPageTest, AddTakesTheFieldsAndSelectsTheNewCut) {
  Click(kCutAddButton);
  EXPECT_EQ(Cuts(), (std::vector<CutRow>{{"0", "00:00:00.000", "00:00:00.000"}}));
  SetPicker(kCutInTime, 1, 2, 3);
  SpinTo(kCutInSpinner, 5);
  SetPicker(kCutOutTime, 23, 59, 59);
  Click(kCutAddButton);
  EXPECT_EQ(Cuts()[1], (CutRow{"1", "01:02:03.005", "23:59:59.000"}));
  EXPECT_EQ(SelectedCut(), 1);

  // Modify replaces the selected cut only; the click loaded its times.
  ClickCell(kCutList, 0, 0);
  SetPicker(kCutOutTime, 0, 0, 9);
  Click(kCutModifyButton);
  EXPECT_EQ(Cuts()[0], (CutRow{"0", "00:00:00.000", "00:00:09.000"}));
  EXPECT_EQ(Cuts()[1].out, "23:59:59.000");
  EXPECT_EQ(SelectedCut(), 0);
}

TEST_F(TrimPageTest, RemoveAndMovesRenumberAndKeepTheSelection) {
  EnterCut(1, 2);
  EnterCut(3, 4);
  EnterCut(5, 6);
  ClickCell(kCutList, 1, 1);
  Click(kCutRemoveButton);
  EXPECT_EQ(Cuts(), (std::vector<CutRow>{{"0", "00:01:00.000", "00:02:30.000"},
                                         {"1", "00:05:00.000", "00:06:30.000"}}));
  EXPECT_EQ(SelectedCut(), 1);  // the cut that moved into its place

  Click(kCutDownButton);  // already last: nothing changes
  EXPECT_EQ(Cuts()[1].in, "00:05:00.000");
  Click(kCutUpButton);
  EXPECT_EQ(Cuts(), (std::vector<CutRow>{{"0", "00:05:00.000", "00:06:30.000"},
                                         {"1", "00:01:00.000", "00:02:30.000"}}));
  EXPECT_EQ(SelectedCut(), 0);
  Click(kCutUpButton);  // already first
  EXPECT_EQ(Cuts()[0].in, "00:05:00.000");

  ClickCell(kCutList, 1, 0);
  Click(kCutRemoveButton);  // the last cut: the new last is selected
  EXPECT_EQ(SelectedCut(), 0);
  Click(kCutResetButton);
  EXPECT_EQ(RowCount(kCutList), 0);
}

TEST_F(TrimPageTest, SpinnersWrapAndTheLabelFollows) {
  ClickSpinner(kCutOutSpinner, false);  // 0 down to 999
  EXPECT_EQ(ControlText(kCutOutMilliseconds), "999");
  EXPECT_EQ(SpinnerValue(kCutOutSpinner), 999);
  ClickSpinner(kCutOutSpinner, true);  // and up again to 0
  EXPECT_EQ(ControlText(kCutOutMilliseconds), "000");
  EXPECT_EQ(SpinnerValue(kCutOutSpinner), 0);
  ClickSpinner(kCutInSpinner, true);
  EXPECT_EQ(ControlText(kCutInMilliseconds), "001");
  EXPECT_EQ(ControlText(kCutOutMilliseconds), "000");
}

TEST_F(TrimPageTest, ClickOnACutLoadsItsTimesAndXClearsThem) {
  SetPicker(kCutInTime, 1, 2, 3);
  SpinTo(kCutInSpinner, 450);
  SetPicker(kCutOutTime, 4, 5, 6);
  Click(kCutAddButton);
  Click(kCutClearTimesButton);
  EXPECT_EQ(PickerText(kCutInTime), "00:00:00");
  EXPECT_EQ(PickerText(kCutOutTime), "00:00:00");
  EXPECT_EQ(ControlText(kCutInMilliseconds), "000");
  EXPECT_EQ(SpinnerValue(kCutInSpinner), 0);

  ClickCell(kCutList, 0, 2);
  EXPECT_EQ(PickerText(kCutInTime), "01:02:03");
  EXPECT_EQ(ControlText(kCutInMilliseconds), "450");
  EXPECT_EQ(SpinnerValue(kCutInSpinner), 450);
  EXPECT_EQ(PickerText(kCutOutTime), "04:05:06");
  EXPECT_EQ(ControlText(kCutOutMilliseconds), "000");
  ClickSpinner(kCutInSpinner, true);  // the spinner steps on from the loaded value
  EXPECT_EQ(ControlText(kCutInMilliseconds), "451");

  // A click below the rows changes nothing.
  Click(kCutClearTimesButton);
  const LPARAM below = MAKELPARAM(100, 150);
  PostMessageA(Item(kCutList), WM_LBUTTONDOWN, MK_LBUTTON, below);
  PostMessageA(Item(kCutList), WM_LBUTTONUP, 0, below);
  PumpMessages();
  EXPECT_EQ(PickerText(kCutInTime), "00:00:00");
}

TEST_F(TrimPageTest, NewInputTakesItsContainersDefaults) {
  PrepareTrimInput("D:\\rec\\film.MP4");
  EXPECT_EQ(Selected(kTrimContainerList), kMp4);
  EXPECT_EQ(Selected(kTrimCutModeList), kCopy);
  EXPECT_EQ(Selected(kTrimConcatModeList), kDemuxer);
  EXPECT_EQ(ControlText(kTrimOutputBox), ".mp4");
  PrepareTrimInput("D:\\rec\\show.ts");
  EXPECT_EQ(Selected(kTrimCutModeList), kReencode);
  EXPECT_EQ(Selected(kTrimConcatModeList), kFileConcat);

  boxes_.Answer(IDOK);
  PrepareTrimInput("D:\\rec\\clip.m4v");
  ASSERT_EQ(boxes_.Seen().size(), 2u);
  EXPECT_EQ(boxes_.Seen().back().caption, " Note");
  EXPECT_EQ(Selected(kTrimContainerList), 0);
  EXPECT_EQ(ControlText(kTrimOutputBox), ".m4v");
  EXPECT_EQ(Selected(kTrimCutModeList), kReencode);
  EXPECT_EQ(Selected(kTrimConcatModeList), kDemuxer);
}

TEST_F(TrimPageTest, ExpertViewSwapsTablesAndEachViewKeepsItsChoices) {
  PrepareTrimInput("D:\\rec\\show.ts");
  EXPECT_FALSE(Enabled(kTrimContainerList));
  Click(kTrimExpertButton);
  EXPECT_TRUE(LampChecked(kTrimExpertLamp));
  EXPECT_TRUE(Enabled(kTrimCutModeList));
  // The expert choices were the ones before the input: nothing chosen yet.
  EXPECT_EQ(Selected(kTrimContainerList), 0);
  ChooseListItem(kTrimCutModeList, kReencode);
  EXPECT_TRUE(Visible(kTrimParameterTable));
  EXPECT_FALSE(Visible(kTrimSourceTable));
  ChooseListItem(kTrimCutModeList, kCopy);
  EXPECT_FALSE(Visible(kTrimParameterTable));
  EXPECT_TRUE(Visible(kTrimSourceTable));
  ChooseListItem(kTrimCutModeList, kReencode);
  ChooseListItem(kTrimContainerList, kMkv);
  EXPECT_EQ(ControlText(kTrimOutputBox), ".mkv");

  Click(kTrimExpertButton);
  EXPECT_FALSE(LampChecked(kTrimExpertLamp));
  EXPECT_FALSE(Enabled(kTrimCutModeList));
  EXPECT_TRUE(Visible(kTrimSourceTable));
  EXPECT_FALSE(Visible(kTrimParameterTable));
  EXPECT_EQ(Selected(kTrimContainerList), kTs);
  EXPECT_EQ(Selected(kTrimConcatModeList), kFileConcat);
  EXPECT_EQ(ControlText(kTrimOutputBox), ".ts");

  Click(kTrimExpertButton);
  EXPECT_EQ(Selected(kTrimContainerList), kMkv);
  EXPECT_EQ(Selected(kTrimCutModeList), kReencode);
  EXPECT_TRUE(Visible(kTrimParameterTable));
}

TEST_F(TrimPageTest, ProbedInputAndCutsMakeTheCommandText) {
  const std::string input = SamplePath("broadcast.ts");
  PrepareTrimInput(input);
  boxes_.Answer(IDOK);
  StartTrimProbe(input);
  ASSERT_TRUE(WaitForIdle());
  ASSERT_EQ(RowCount(kTrimSourceTable), 3);
  EXPECT_EQ(ControlText(kTrimCommandBox), "");  // no stream checked, no cut

  CheckRow(kTrimSourceTable, 0, true);
  CheckRow(kTrimSourceTable, 2, true);
  EXPECT_EQ(ControlText(kTrimCommandBox), "");  // still no cut
  EnterCut(1, 2);
  EnterCut(3, 4);
  const std::string temp = Resources().tempDir;
  const std::string cutLine = " -fflags genpts -i \"" + input + "\" -ss 00:01:00.000 -map 0:0";
  std::string text = ControlText(kTrimCommandBox);
  EXPECT_EQ(text.substr(0, cutLine.size()), cutLine);
  EXPECT_NE(text.find(" -c:v:0 mpeg2video"), std::string::npos);
  EXPECT_NE(text.find(" -q:v:0 1"), std::string::npos);
  EXPECT_NE(text.find(" -map 0:2 -c:a:0 mp2"), std::string::npos);
  // The byte join's cuts keep their leading time stamps.
  EXPECT_NE(
      text.find(" -to 00:02:30.000 -avoid_negative_ts disabled \"" + temp + "\\temp0.ts\"\r\n"),
      std::string::npos);
  EXPECT_NE(text.find("\r\n -fflags genpts -i \"concat:" + temp + "\\temp0.ts|" + temp +
                      "\\temp1.ts\" -map 0 -c copy \".ts\""),
            std::string::npos);

  ChooseListItem(kTrimConcatModeList, 4);
  text = ControlText(kTrimCommandBox);
  EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), " Concatenating media files disabled, cut only.");
  CheckRow(kTrimSourceTable, 0, false);
  CheckRow(kTrimSourceTable, 2, false);
  EXPECT_EQ(ControlText(kTrimCommandBox), "");
}

}  // namespace
}  // namespace trellimux::test
