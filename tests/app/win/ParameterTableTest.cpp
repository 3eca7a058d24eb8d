// The Convert parameter table in the real window, driven with mouse
// messages: value menus on a right-click, the in-place editor on a click,
// check boxes, and column drags that the source table follows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/InPlaceEditor.h"
#include "app/win/JobControl.h"
#include "app/win/ListViewSetup.h"
#include "app/win/TableTestSupport.h"
#include "app/win/ValueMenuPopup.h"
#include "media/SampleMedia.h"
#include "params/ColumnMenu.h"
#include "probe/ProbeReport.h"

namespace trellimux::test {
namespace {

constexpr int kTable = kConvertParameterTable;

// What the menu held when it was up, and the item to choose from it.
struct MenuPick {
  std::string choose;  // empty: close the menu without a choice
  std::vector<std::string> items;
  bool shown = false;
};
MenuPick menuPick;

// Runs inside the menu's own loop: reads the menu, closes it and sends the
// chosen item's command, as the menu does when an item is clicked.
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HMENU menu = LastColumnMenu();
  menuPick.shown = menu != nullptr;
  if (!menu) return;
  int chosen = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    const UINT id = GetMenuItemID(menu, i);
    menuPick.items.push_back((GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) ? "-" : text);
    if (!menuPick.choose.empty() && menuPick.choose == text) chosen = static_cast<int>(id);
  }
  EndMenu();
  if (chosen) PostMessageA(App().mainWindow, WM_COMMAND, chosen, 0);
}

class ParameterTableTest : public MainWindowTest {
 protected:
  // Expert mode with ".mkv" and the broadcast sample probed: video 0,
  // audio 1 and audio 2, all unchecked.
  void SetUp() override {
    MainWindowTest::SetUp();
    Click(kConvertButton);
    Click(kConvertExpertButton);
    ChooseListItem(kConvertContainerList, 9);
    boxes_.Answer(IDOK);
    input_ = SamplePath("broadcast.ts");
    StartConvertProbe(input_);
    ASSERT_TRUE(WaitForIdle());
    ASSERT_EQ(RowCount(kTable), 3);
  }

  // Right-clicks a cell and chooses `item` from the menu that opens.
  std::vector<std::string> ChooseFromMenu(int row, int column, const std::string& item,
                                          int list = kTable) {
    menuPick = {item, {}, false};
    SetTimer(nullptr, 0, 50, &PickFromMenu);
    RightClickCell(list, row, column);
    PumpUntil([] { return menuPick.shown; }, 3000);
    PumpMessages();
    return menuPick.items;
  }

  static std::string Command() { return ControlText(kConvertCommandBox); }
  static bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  std::string input_;
};

TEST_F(ParameterTableTest, CheckBoxesRebuildTheCommandAtOnce) {
  EXPECT_EQ(Command(), " -fflags genpts -i \"" + input_ + "\" \".mkv\"");
  CheckRow(kTable, 0, true);
  EXPECT_TRUE(App().convertTables.ParameterTable().IsChecked(0));
  EXPECT_TRUE(Contains(Command(), " -map 0:0 -c:v:0 mpeg2video")) << Command();
  CheckRow(kTable, 2, true);
  EXPECT_TRUE(Contains(Command(), " -map 0:2 -c:a:0 mp2")) << Command();
  CheckRow(kTable, 0, false);
  EXPECT_FALSE(Contains(Command(), " -map 0:0")) << Command();
}

TEST_F(ParameterTableTest, CodecMenuOffersVideoCodecsAndAPickSetsItsDefaults) {
  CheckRow(kTable, 0, true);
  const std::vector<std::string> items = ChooseFromMenu(0, kCodec, "h264");
  ASSERT_GE(items.size(), 5u);
  EXPECT_EQ(items[0], "Codec");
  EXPECT_EQ(items[1], "-");
  EXPECT_EQ(items[2], "delete Parameter");
  EXPECT_EQ(items[3], "from Source");
  EXPECT_EQ(items[4], "hevc");
  EXPECT_EQ(items.back(), "vp9");
  EXPECT_EQ(CellText(kTable, 0, kCodec), "h264");
  EXPECT_EQ(CellText(kTable, 0, kProfile), "High");
  EXPECT_EQ(CellText(kTable, 0, kLevel), "41");
  EXPECT_TRUE(Contains(Command(), " -c:v:0 h264 -profile:v:0 high -level:v:0 41")) << Command();

  ChooseFromMenu(0, kCodec, "from Source");
  EXPECT_EQ(CellText(kTable, 0, kCodec), "mpeg2video");
  EXPECT_TRUE(Contains(Command(), " -c:v:0 mpeg2video")) << Command();
}

TEST_F(ParameterTableTest, AudioRowMenusFollowTheRowType) {
  EXPECT_EQ(ChooseFromMenu(1, kWidth, ""),
            (std::vector<std::string>{"Width", "-", "delete Parameter"}));
  const std::vector<std::string> layouts = ChooseFromMenu(1, kLayout, "");
  ASSERT_GE(layouts.size(), 5u);
  EXPECT_EQ(layouts[4], "mono");
  ChooseFromMenu(1, kType, "");
  EXPECT_TRUE(menuPick.items.empty()) << "the Type column has no menu";
}

TEST_F(ParameterTableTest, StreamMenuMovesARowWithItsCheckBox) {
  CheckRow(kTable, 2, true);
  const std::vector<std::string> items = ChooseFromMenu(2, 0, "Move up");
  EXPECT_EQ(items, (std::vector<std::string>{"Stream", "-",
                                             "Reset all stream parameter to source values",
                                             "Delete all stream parameter", "Move up", "Move down"}));
  EXPECT_EQ(CellText(kTable, 1, 0), "2");
  EXPECT_TRUE(RowChecked(kTable, 1));
  EXPECT_FALSE(RowChecked(kTable, 2));
  EXPECT_EQ(App().convertTables.ParameterTable().Selection(), 1u);
  EXPECT_EQ(GetFocus(), Control(kTable));

  ChooseFromMenu(1, 0, "Delete all stream parameter");
  EXPECT_EQ(CellText(kTable, 1, kCodec), "");
  EXPECT_EQ(CellText(kTable, 1, kType), "audio");
  EXPECT_TRUE(Contains(Command(), " -map 0:2 \".mkv\"")) << Command();
}

TEST_F(ParameterTableTest, EditorLiesOverTheCellAndEnterStoresItsText) {
  CheckRow(kTable, 0, true);
  ClickCell(kTable, 0, kBitrate);  // selects the row and opens the editor
  HWND editor = InPlaceEditorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetDlgCtrlID(editor), kInPlaceEditor);
  EXPECT_EQ(GetFocus(), editor);
  RECT cell{};
  cell.top = kBitrate;
  cell.left = LVIR_BOUNDS;
  SendMessageA(Control(kTable), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
  MapWindowPoints(Control(kTable), App().mainWindow, reinterpret_cast<POINT*>(&cell), 2);
  EXPECT_EQ(ClientRectOf(editor).left, cell.left);
  EXPECT_EQ(ClientRectOf(editor).top, cell.top);
  EXPECT_EQ(ClientRectOf(editor).right, cell.right);
  EXPECT_EQ(WindowTextOf(editor), CellText(kTable, 0, kBitrate));
  DWORD start = 0, end = 0;
  SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, WindowTextOf(editor).size());

  for (char c : std::string("4000k")) SendMessageA(editor, WM_CHAR, c, 0);
  SendMessageA(editor, WM_CHAR, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(CellText(kTable, 0, kBitrate), "4000k");
  EXPECT_TRUE(Contains(Command(), " -b:v:0 4000k")) << Command();
}

TEST_F(ParameterTableTest, EscapeAndFocusLossDiscardTheTypedText) {
  ClickCell(kTable, 1, kBitrate);
  const std::string before = CellText(kTable, 1, kBitrate);
  ASSERT_NE(InPlaceEditorWindow(), nullptr);
  SendMessageA(InPlaceEditorWindow(), WM_CHAR, 'x', 0);
  SendMessageA(InPlaceEditorWindow(), WM_CHAR, VK_ESCAPE, 0);
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
  EXPECT_EQ(CellText(kTable, 1, kBitrate), before);

  ClickCell(kTable, 1, kBitrate);
  ASSERT_NE(InPlaceEditorWindow(), nullptr);
  SendMessageA(InPlaceEditorWindow(), WM_CHAR, 'x', 0);
  SetFocus(Control(kConvertCommandBox));  // a click into the command box
  PumpMessages();
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
  EXPECT_EQ(CellText(kTable, 1, kBitrate), before);
  EXPECT_EQ(App().convertTables.ParameterTable().GetCell(1, kBitrate), before);
}

TEST_F(ParameterTableTest, StreamAndTypeCellsAreNeverEditedAndARightClickOnlyClosesTheEditor) {
  ClickCell(kTable, 0, 0);
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
  ClickCell(kTable, 0, kType);
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
  ClickCell(kTable, 0, kCodec);
  ASSERT_NE(InPlaceEditorWindow(), nullptr);
  // The editor keeps the focus while the button goes down on the table?
  // Either way the right-click must not leave an editor nor open a menu.
  menuPick = {"", {}, false};
  SetTimer(nullptr, 0, 50, &PickFromMenu);
  RightClickCell(kTable, 0, kCodec);
  PumpMessages();
  EXPECT_EQ(InPlaceEditorWindow(), nullptr);
}

// The Trim page's tables take the same clicks; its check boxes reach the
// model the Trim command is built from.
TEST_F(ParameterTableTest, TrimTablesTakeTheSameMenusEditorAndChecks) {
  Click(kTrimButton);
  boxes_.Answer(IDOK);
  StartTrimProbe(input_);
  ASSERT_TRUE(WaitForIdle());
  CheckRow(kTrimSourceTable, 1, true);
  EXPECT_TRUE(App().trimTables.SourceTable().IsChecked(1));
  EXPECT_FALSE(App().trimTables.ParameterTable().IsChecked(1));

  ShowWindow(Control(kTrimSourceTable), SW_HIDE);  // as expert mode with "Reencode" does
  ShowWindow(Control(kTrimParameterTable), SW_SHOW);
  ChooseFromMenu(0, kCodec, "hevc", kTrimParameterTable);
  EXPECT_EQ(CellText(kTrimParameterTable, 0, kCodec), "hevc");
  EXPECT_EQ(App().trimTables.ParameterTable().GetCell(0, kLevel), "41");
  EXPECT_EQ(App().convertTables.ParameterTable().GetCell(0, kCodec), "mpeg2video");

  ClickCell(kTrimParameterTable, 0, kFps);
  ASSERT_NE(InPlaceEditorWindow(), nullptr);
  SetWindowTextA(InPlaceEditorWindow(), "50/1");
  SendMessageA(InPlaceEditorWindow(), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(App().trimTables.ParameterTable().GetCell(0, kFps), "50/1");
  EXPECT_EQ(CellText(kTrimParameterTable, 0, kFps), "50/1");
}

// Drags header item `from` onto the place of item `to` with the mouse.
void DragColumn(int list, int from, int to) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(Control(list), LVM_GETHEADER, 0, 0));
  RECT source{}, target{};
  SendMessageA(header, HDM_GETITEMRECT, from, reinterpret_cast<LPARAM>(&source));
  SendMessageA(header, HDM_GETITEMRECT, to, reinterpret_cast<LPARAM>(&target));
  const int y = (source.top + source.bottom) / 2;
  const int startX = (source.left + source.right) / 2;
  const int endX = target.left + 3;
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(startX, y));
  for (int x = startX; x >= endX; x -= 4)
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(endX, y));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(endX, y));
  PumpMessages();
}

void RightClickHeader(int list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(Control(list), LVM_GETHEADER, 0, 0));
  SendMessageA(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 5));
  SendMessageA(header, WM_RBUTTONUP, 0, MAKELPARAM(20, 5));
  PumpMessages();
}

TEST_F(ParameterTableTest, DraggedColumnsMoveInBothTablesUntilTheOrderIsReset) {
  const std::vector<int> defaults = ColumnOrder(Control(kTable));
  DragColumn(kTable, 3, 1);
  const std::vector<int> dragged = ColumnOrder(Control(kTable));
  ASSERT_NE(dragged, defaults) << "the drag did not move a column";
  EXPECT_EQ(dragged[1], 3);
  EXPECT_EQ(ColumnOrder(Control(kConvertSourceTable)), dragged);

  boxes_.Answer(IDNO);
  RightClickHeader(kConvertSourceTable);
  ASSERT_FALSE(boxes_.Seen().empty());
  EXPECT_EQ(boxes_.Seen().back().caption, " Confirmation");
  EXPECT_EQ(boxes_.Seen().back().text, "Reset columns sequence to the default view?");
  EXPECT_EQ(boxes_.Seen().back().defaultButton, IDNO);
  EXPECT_EQ(ColumnOrder(Control(kTable)), dragged);

  boxes_.Answer(IDYES);
  RightClickHeader(kConvertSourceTable);
  EXPECT_EQ(ColumnOrder(Control(kTable)), defaults);
  EXPECT_EQ(ColumnOrder(Control(kConvertSourceTable)), defaults);
}

TEST_F(ParameterTableTest, DraggingInTheSourceTableReordersTheParameterTable) {
  DragColumn(kConvertSourceTable, 5, 2);
  const std::vector<int> dragged = ColumnOrder(Control(kConvertSourceTable));
  EXPECT_EQ(dragged[2], 5);
  EXPECT_EQ(ColumnOrder(Control(kTable)), dragged);
}

}  // namespace
}  // namespace trellimux::test
