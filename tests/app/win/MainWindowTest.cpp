// The real main window against the control table: every control, its place,
// look and start state; the log window; the agreement prompt and closing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutText.h"
#include "app/AgreementPrompt.h"
#include "app/ControlIds.h"
#include "app/ListColumns.h"
#include "app/ProgramIdentity.h"
#include "app/StaticColours.h"
#include "app/WindowPlacement.h"
#include "app/WindowScale.h"
#include "app/win/AppState.h"
#include "app/win/ControlFactory.h"
#include "app/win/LogWindow.h"
#include "app/win/SharedResources.h"
#include "app/win/WindowScaling.h"
#include "app/win/WindowTestSupport.h"
#include "jobs/LogTail.h"
#include "jobs/win/JobLog.h"
#include "params/ParameterColumns.h"
#include "text/Utf8Text.h"

namespace trellimux::test {
namespace {

HFONT ExpectedFont(ControlFont font) {
  switch (font) {
    case ControlFont::System:
      return Resources().systemFont;
    case ControlFont::Gui:
      return Resources().guiFont;
    case ControlFont::Title:
      return Resources().titleFont;
    case ControlFont::Start:
      return Resources().startFont;
    case ControlFont::Default:
      break;
  }
  return nullptr;
}

bool IsDropDown(ControlKind kind) {
  return kind == ControlKind::DropDownList || kind == ControlKind::EasyModeList;
}

TEST_F(MainWindowTest, EveryControlStandsWhereTheTablePutsItAndStartsAsTheTableSays) {
  RECT client{};
  GetClientRect(window_, &client);
  for (const ControlEntry& control : MainWindowControls()) {
    SCOPED_TRACE(::testing::Message() << "control 0x" << std::hex << control.id);
    HWND item = Item(control.id);
    ASSERT_NE(item, nullptr);
    EXPECT_STRCASEEQ(ClassNameOf(item).c_str(),
                     std::string(ControlClassName(control.kind)).c_str());
    if (control.kind == ControlKind::PushButton || control.kind == ControlKind::GroupBox ||
        control.kind == ControlKind::TitleLine || control.kind == ControlKind::MillisecondLabel ||
        control.kind == ControlKind::Placeholder) {
      EXPECT_EQ(WindowTextOf(item), control.caption);
    }
    const RECT place = ClientRectOf(item);
    if (control.kind == ControlKind::MillisecondSpinner) {
      // Attached to the right edge of its label, as high as the label.
      const RECT label = ClientRectOf(Item(control.buddy));
      EXPECT_EQ(place.left, label.right);
      EXPECT_EQ(place.top, label.top);
      EXPECT_EQ(place.bottom, label.bottom);
    } else {
      EXPECT_EQ(place.left, control.place.x);
      EXPECT_EQ(place.top, control.place.y);
      if (control.kind != ControlKind::MillisecondLabel) {  // narrowed by its spinner
        EXPECT_EQ(place.right - place.left, control.place.width);
      }
      if (control.kind == ControlKind::ProgressBar) {
        EXPECT_EQ(place.bottom - place.top, GetSystemMetrics(SM_CYVSCROLL));
      } else if (!IsDropDown(control.kind)) {  // their height is the dropped-down one
        EXPECT_EQ(place.bottom - place.top, control.place.height);
      }
    }
    EXPECT_GE(place.left, 0);
    EXPECT_GE(place.top, 0);
    EXPECT_LE(place.right, client.right);
    EXPECT_LE(place.bottom, client.bottom);
    EXPECT_EQ(Visible(control.id), VisibleAtStart(control));
    EXPECT_EQ(Enabled(control.id), control.start == StartState::Enabled);
    if (HFONT font = ExpectedFont(control.font)) {
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(item, WM_GETFONT, 0, 0)), font);
    }
  }
}

TEST_F(MainWindowTest, TheWindowIsFixedSizeAndCentred) {
  RECT outer{};
  GetWindowRect(window_, &outer);
  const ScreenPoint corner =
      CentredWindowPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(outer.left, corner.x);
  EXPECT_EQ(outer.top, corner.y);
  EXPECT_EQ(outer.right - outer.left, kWindowWidth);
  EXPECT_EQ(outer.bottom - outer.top, kWindowHeight);
  EXPECT_EQ(WindowTextOf(window_), kWindowTitle);
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND),
            reinterpret_cast<ULONG_PTR>(Resources().backgroundBrush));
  EXPECT_EQ(GetFocus(), Item(kAboutBox));
  EXPECT_EQ(SendMessageA(Item(kInformationLamp), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// A move to a screen of another DPI lays the window out again at the scale
// for it: every control at its scaled place, the fonts made for it; back
// on a 96-DPI screen, every place is the designed one again.
TEST_F(MainWindowTest, AnotherScreensDpiLaysTheWindowOutAgain) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  LOGFONTA before{};
  GetObjectA(Resources().titleFont, sizeof before, &before);
  for (const int dpi : {144, 96}) {
    SCOPED_TRACE(dpi);
    RECT suggested{work.left, work.top, work.left + 1900, work.top + 1060};
    SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const double scale = WindowScale(dpi, work.right - work.left, work.bottom - work.top);
    EXPECT_EQ(CurrentScale(), scale);
    RECT outer{};
    GetWindowRect(window_, &outer);
    EXPECT_EQ(outer.right - outer.left, Scaled(kWindowWidth, scale));
    EXPECT_EQ(outer.bottom - outer.top, Scaled(kWindowHeight, scale));
    for (const ControlEntry& control : MainWindowControls()) {
      if (control.kind == ControlKind::MillisecondSpinner ||
          control.place.height == kSystemBarHeight)
        continue;
      RECT placed{};
      GetWindowRect(Item(control.id), &placed);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&placed), 2);
      const ControlPlace expected = Scaled(control.place, scale);
      EXPECT_EQ(placed.left, expected.x) << std::hex << control.id;
      EXPECT_EQ(placed.top, expected.y) << std::hex << control.id;
      const bool spinnersLabel = control.kind == ControlKind::MillisecondLabel;  // it shares
      if (!spinnersLabel)
        EXPECT_EQ(placed.right - placed.left, expected.width) << std::hex << control.id;
    }
    LOGFONTA title{};
    GetObjectA(Resources().titleFont, sizeof title, &title);
    EXPECT_EQ(title.lfHeight, Scaled(before.lfHeight, scale));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Item(kTitleLine), WM_GETFONT, 0, 0)),
              Resources().titleFont);
  }
}

// At every scale from the smallest to 2, each button's, title's and frame's
// caption fits its control, measured with the control's own font.
TEST_F(MainWindowTest, NoCaptionIsCutOffAtAnyScale) {
  for (const double scale : {kSmallestScale, 0.9, 1.0, 1.25, 1.5, 2.0}) {
    SCOPED_TRACE(scale);
    SetCurrentScale(scale);
    const SharedResources before = Resources();
    MakeFonts();
    LayOutControlsAgain();
    for (const ControlEntry& control : MainWindowControls()) {
      const bool captioned = control.kind == ControlKind::PushButton ||
                             control.kind == ControlKind::TitleLine ||
                             control.kind == ControlKind::GroupBox;
      if (!captioned || control.caption.empty()) continue;
      HWND window = Item(control.id);
      HDC context = GetDC(window);
      const HGDIOBJ old =
          SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
      SIZE text{};
      GetTextExtentPoint32A(context, control.caption.data(),
                            static_cast<int>(control.caption.size()), &text);
      SelectObject(context, old);
      ReleaseDC(window, context);
      RECT client{};
      GetClientRect(window, &client);
      EXPECT_LE(text.cx, client.right) << control.caption;
      EXPECT_GE(text.cy, 8) << control.caption << ": too small to read";
    }
    for (HFONT font : {before.guiFont, before.systemFont, before.titleFont, before.startFont})
      DeleteObject(font);
  }
  SetCurrentScale(1);
  const SharedResources last = Resources();
  MakeFonts();
  LayOutControlsAgain();
  for (HFONT font : {last.guiFont, last.systemFont, last.titleFont, last.startFont})
    DeleteObject(font);
}

TEST_F(MainWindowTest, TexturesAndFontsAreLoaded) {
  BITMAP bitmap{};
  ASSERT_TRUE(GetObjectA(Resources().backgroundBitmap, sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 90);
  EXPECT_EQ(bitmap.bmHeight, 92);
  ASSERT_TRUE(GetObjectA(Resources().panelBitmap, sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 90);
  EXPECT_EQ(bitmap.bmHeight, 92);
  ASSERT_TRUE(GetObjectA(Resources().titleBitmap, sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 128);
  EXPECT_EQ(bitmap.bmHeight, 128);
  EXPECT_NE(Resources().icon, nullptr);
  LOGFONTA font{};
  ASSERT_TRUE(GetObjectA(Resources().startFont, sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, 22);
  EXPECT_EQ(font.lfWidth, 11);
  EXPECT_EQ(font.lfWeight, 80);
  ASSERT_TRUE(GetObjectA(Resources().titleFont, sizeof font, &font));
  EXPECT_EQ(font.lfHeight, 32);
  EXPECT_EQ(font.lfWeight, 500);
}

TEST_F(MainWindowTest, DropDownListsHoldTheirItemsWithTheFirstChosen) {
  for (const ControlEntry& control : MainWindowControls()) {
    if (!IsDropDown(control.kind)) continue;
    SCOPED_TRACE(::testing::Message() << "list 0x" << std::hex << control.id);
    HWND list = Item(control.id);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(control.items.size()));
    for (size_t index = 0; index < control.items.size(); ++index) {
      char item[256] = {};
      SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
      EXPECT_EQ(std::string_view(item), control.items[index]);
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(HasStyle(list, CBS_DROPDOWNLIST));
  }
  EXPECT_EQ(SendMessageA(Item(kConvertContainerList), CB_GETCOUNT, 0, 0), 22);
}

void ExpectColumns(HWND list, std::span<const ParameterColumn> columns) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(columns.size()));
  for (size_t index = 0; index < columns.size(); ++index) {
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::string_view(text), columns[index].header);
    EXPECT_EQ(column.cx, columns[index].width);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK,
              columns[index].alignment == ColumnAlignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT);
  }
}

DWORD ExtendedStyle(int id) {
  return static_cast<DWORD>(SendMessageA(Control(id), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

TEST_F(MainWindowTest, ListViewsHaveTheirColumnsStylesAndLook) {
  ExpectColumns(Item(kConcatInputList), kFileListColumns);
  ExpectColumns(Item(kCutList), kCutListColumns);
  constexpr int kStreamTables[] = {kConvertSourceTable, kConvertParameterTable, kTrimSourceTable,
                                   kTrimParameterTable};
  for (int id : kStreamTables) ExpectColumns(Item(id), kParameterColumns);

  constexpr DWORD kTable = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  EXPECT_EQ(ExtendedStyle(kConcatInputList), 0u);
  EXPECT_EQ(ExtendedStyle(kConvertSourceTable), kTable | LVS_EX_HEADERDRAGDROP);
  EXPECT_EQ(ExtendedStyle(kConvertParameterTable),
            kTable | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES);
  EXPECT_EQ(ExtendedStyle(kTrimSourceTable), kTable | LVS_EX_CHECKBOXES);
  EXPECT_EQ(ExtendedStyle(kTrimParameterTable), kTable | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES);
  EXPECT_EQ(ExtendedStyle(kCutList), kTable);

  for (int id : {kConcatInputList, kConvertSourceTable, kConvertParameterTable, kTrimSourceTable,
                 kTrimParameterTable, kCutList}) {
    SCOPED_TRACE(::testing::Message() << "list 0x" << std::hex << id);
    HWND list = Item(id);
    EXPECT_TRUE(HasStyle(list, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(192, 192, 192));
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0),
              id == kTrimParameterTable ? RGB(0, 0, 255) : RGB(0, 0, 0));
  }

  std::vector<int> identity(kParameterColumnCount);
  for (int index = 0; index < kParameterColumnCount; ++index) identity[index] = index;
  EXPECT_EQ(App().convertDefaultColumnOrder, identity);
  EXPECT_EQ(App().trimDefaultColumnOrder, identity);
}

SYSTEMTIME PickerTime(int id, LRESULT* state) {
  SYSTEMTIME time{};
  *state = SendMessageA(Control(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

TEST_F(MainWindowTest, TimePickersSpinnersAndTrackbarStartAsDesigned) {
  for (int id : {kConvertStartTime, kConvertEndTime, kCutInTime, kCutOutTime}) {
    SCOPED_TRACE(::testing::Message() << "picker 0x" << std::hex << id);
    const bool optional = id == kConvertStartTime || id == kConvertEndTime;
    EXPECT_TRUE(HasStyle(Item(id), DTS_UPDOWN));
    EXPECT_EQ(HasStyle(Item(id), DTS_SHOWNONE), optional);
    LRESULT state = 0;
    const SYSTEMTIME time = PickerTime(id, &state);
    EXPECT_EQ(state, optional ? GDT_NONE : GDT_VALID);
    if (!optional) {
      EXPECT_EQ(time.wHour + time.wMinute + time.wSecond, 0);
      EXPECT_EQ(WindowTextOf(Item(id)), "00:00:00");
    }
  }
  for (int id : {kCutInSpinner, kCutOutSpinner}) {
    SCOPED_TRACE(::testing::Message() << "spinner 0x" << std::hex << id);
    HWND spinner = Item(id);
    int low = -1, high = -1;
    SendMessageA(spinner, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 999);
    EXPECT_EQ(SendMessageA(spinner, UDM_GETPOS32, 0, 0), 0);
    EXPECT_TRUE(HasStyle(spinner, UDS_WRAP | UDS_ARROWKEYS | UDS_HOTTRACK | UDS_NOTHOUSANDS));
    const ControlEntry* entry = FindControl(id);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spinner, UDM_GETBUDDY, 0, 0)),
              Item(entry->buddy));
    EXPECT_EQ(WindowTextOf(Item(entry->buddy)), "000");
  }
  HWND trackbar = Item(kTrimTrackbar);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessageA(trackbar, TBM_GETTHUMBLENGTH, 0, 0), 20);
  EXPECT_TRUE(HasStyle(trackbar, TBS_AUTOTICKS | TBS_TOP | TBS_ENABLESELRANGE | TBS_TOOLTIPS));
}

TEST_F(MainWindowTest, TextBoxesHoldTheirTextAndLimits) {
  EXPECT_EQ(WindowTextOf(Item(kAboutBox)), AboutText());
  for (int id : {kConcatCommandBox, kConvertCommandBox, kTrimCommandBox}) {
    EXPECT_EQ(static_cast<DWORD>(SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
    EXPECT_TRUE(HasStyle(Item(id), ES_MULTILINE | ES_READONLY | WS_VSCROLL));
  }
  EXPECT_TRUE(HasStyle(Item(kTrimCommandBox), WS_HSCROLL));
  EXPECT_FALSE(HasStyle(Item(kConvertCommandBox), WS_HSCROLL));
  for (int id :
       {kConcatOutputBox, kConvertInputBox, kConvertOutputBox, kTrimInputBox, kTrimOutputBox}) {
    EXPECT_TRUE(HasStyle(Item(id), ES_READONLY));
    EXPECT_FALSE(HasStyle(Item(id), ES_MULTILINE));
  }
}

TEST_F(MainWindowTest, StaticColourQueriesGetTheTexturesBehindTransparentText) {
  HDC context = GetDC(window_);
  struct Expectation {
    int id;
    COLORREF text;
    HBRUSH brush;
  };
  const Expectation expectations[] = {
      {kTitleLine, RGB(0, 0, 0), Resources().titleBrush},
      {kTrimLamp, RGB(255, 255, 255), Resources().backgroundBrush},
      {kConvertExpertLamp, RGB(255, 255, 255), Resources().backgroundBrush},
      {kPageFrame, RGB(0, 0, 0), Resources().panelBrush},
      {kAboutBox, RGB(0, 0, 0), Resources().panelBrush},
      {kTrimPlaceholder, RGB(0, 0, 0), Resources().panelBrush},
  };
  for (const Expectation& expected : expectations) {
    SetTextColor(context, RGB(1, 2, 3));
    SetBkMode(context, OPAQUE);
    const LRESULT brush =
        SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                     reinterpret_cast<LPARAM>(Item(expected.id)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), expected.brush);
    EXPECT_EQ(GetTextColor(context), expected.text);
    EXPECT_EQ(GetBkMode(context), TRANSPARENT);
  }
  // Anything else keeps the platform's colours.
  const LRESULT brush = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                     reinterpret_cast<LPARAM>(Item(kCutInMilliseconds)));
  EXPECT_NE(reinterpret_cast<HBRUSH>(brush), Resources().panelBrush);
  EXPECT_NE(reinterpret_cast<HBRUSH>(brush), Resources().backgroundBrush);
  ReleaseDC(window_, context);
}

RECT OuterRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

void ExpectGluedToFrame(HWND log, HWND main) {
  POINT clientOrigin{0, 0};
  ClientToScreen(main, &clientOrigin);
  const RECT outer = OuterRect(main);
  const ScreenRect expected = LogWindowPlacement(
      outer.left, clientOrigin.y, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
  const RECT actual = OuterRect(log);
  EXPECT_EQ(actual.left, expected.x);
  EXPECT_EQ(actual.top, expected.y);
  EXPECT_EQ(actual.right - actual.left, expected.width);
  EXPECT_EQ(actual.bottom - actual.top, expected.height);
}

TEST_F(MainWindowTest, LogWindowIsAHiddenOwnedPopupOverThePageFrame) {
  HWND log = App().logWindow;
  ASSERT_NE(log, nullptr);
  EXPECT_STRCASEEQ(ClassNameOf(log).c_str(), "Edit");
  EXPECT_EQ(GetWindow(log, GW_OWNER), window_);
  EXPECT_FALSE(IsWindowVisible(log));
  EXPECT_EQ(WindowTextOf(log), "");
  wchar_t wideTitle[64] = {};
  InternalGetWindowText(log, wideTitle, 64);
  EXPECT_STREQ(wideTitle, L"FFmpeg log data");
  EXPECT_TRUE(HasStyle(log, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VSCROLL | WS_HSCROLL |
                                ES_MULTILINE | ES_READONLY));
  EXPECT_TRUE(GetWindowLongA(log, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(static_cast<DWORD>(SendMessageA(log, EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
  ExpectGluedToFrame(log, window_);

  // Its text can be replaced without losing the title.
  SetWindowTextA(log, "frame=  10");
  EXPECT_EQ(WindowTextOf(log), "frame=  10");
  InternalGetWindowText(log, wideTitle, 64);
  EXPECT_STREQ(wideTitle, L"FFmpeg log data");
}

std::string FileText(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  char block[4096];
  DWORD count = 0;
  while (ReadFile(file, block, sizeof block, &count, nullptr) && count > 0)
    text.append(block, count);
  CloseHandle(file);
  return text;
}

// Pieces that end inside lines, each a whole number of characters, some of
// them larger than the part of the log the window shows.
TEST_F(MainWindowTest, LogWindowShowsTheEndOfALogThatOutgrewItWithLettersBeyondAscii) {
  HWND log = App().logWindow;
  std::string whole;
  for (int line = 0; whole.size() < 160 * 1024; ++line)
    whole +=
        "[mpegts] \xC5\x81\xC3\xB3"
        "d\xC5\xBA \xE2\x80\x93 \xE6\x9D\xB1 packet " +
        std::to_string(line) + "\r\n";
  ClearJobLog(log);
  std::string_view rest = whole;
  for (std::size_t piece = 5000; !rest.empty(); piece = piece == 5000 ? 40000 : 5000) {
    const std::size_t size = WholeUtf8Length(rest.substr(0, piece));
    AppendJobLog(log, rest.substr(0, size));
    PumpMessages();  // each change shown on its own, as while a job runs
    rest.remove_prefix(size);
  }

  EXPECT_FALSE(IsWindowVisible(log));  // filled while hidden, it stays hidden
  const std::string path = KeptLogPath(log);
  ASSERT_NE(path, "");
  EXPECT_EQ(FileText(path), whole);
  const std::string shown = WindowTextOf(log);
  const std::string notice = LogTailNotice(path, true);
  ASSERT_EQ(shown.substr(0, notice.size()), notice);
  const std::string end = shown.substr(notice.size());
  ASSERT_GT(end.size(), 0u);
  ASSERT_LT(end.size(), whole.size());
  EXPECT_EQ(whole.substr(whole.size() - end.size()), end);
  EXPECT_EQ(whole[whole.size() - end.size() - 1], '\n');  // from a whole line on
  ClearJobLog(log);
}

TEST_F(MainWindowTest, LogWindowCanNeitherBeClosedNorDraggedAndFollowsTheMainWindow) {
  HWND log = App().logWindow;
  Click(kShowLogButton);
  ASSERT_TRUE(IsWindowVisible(log));
  const RECT before = OuterRect(log);
  SendMessageA(log, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  const RECT after = OuterRect(log);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_TRUE(IsWindowVisible(log));

  SetWindowPos(window_, nullptr, 2, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpMessages();
  ExpectGluedToFrame(log, window_);

  SendMessageA(log, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(log));
  EXPECT_TRUE(IsWindow(log));

  // "Show last log" brings it back, but not while a job runs.
  App().jobKind = 8;
  Click(kShowLogButton);
  EXPECT_FALSE(IsWindowVisible(log));
  App().jobKind = 0;
  Click(kShowLogButton);
  EXPECT_TRUE(IsWindowVisible(log));
}

// Counts the paint requests a control gets.
int controlPaints = 0;
WNDPROC countedProcedure = nullptr;
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++controlPaints;
  return CallWindowProcA(countedProcedure, window, message, wParam, lParam);
}

TEST_F(MainWindowTest, ControlsRepaintWhenTheWindowIsInvalidated) {
  HWND start = Item(kStartButton);
  PumpMessages();
  controlPaints = 0;
  countedProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(start, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountPaints)));
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  PumpMessages();
  SetWindowLongPtrA(start, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countedProcedure));
  EXPECT_GT(controlPaints, 0);
}

// The texts the log window hands out while its frame is painted, seen by a
// procedure put in front of the log window's own.
std::vector<std::string> frameTexts;
WNDPROC logProcedure = nullptr;
LRESULT CALLBACK RecordTexts(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(logProcedure, window, message, wParam, lParam);
  if (message == WM_GETTEXT && result > 0) {
    frameTexts.emplace_back(reinterpret_cast<const char*>(lParam), result);
  }
  return result;
}

TEST_F(MainWindowTest, LogWindowFrameShowsTheTitleWhateverTheContents) {
  HWND log = App().logWindow;
  SetWindowTextA(log, "frame=  10");
  Click(kShowLogButton);
  PumpMessages();
  frameTexts.clear();
  logProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordTexts)));
  SendMessageA(log, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(log, WM_NCPAINT, 1, 0);
  SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(logProcedure));
  ASSERT_FALSE(frameTexts.empty());  // the frame asks for the text it draws
  for (const std::string& text : frameTexts) EXPECT_EQ(text, "FFmpeg log data");
  EXPECT_EQ(WindowTextOf(log), "frame=  10");  // outside frame painting: the contents
}

TEST_F(MainWindowTest, ClosingFromTheSystemMenuTearsDownAndEndsTheLoop) {
  HFONT titleFont = Resources().titleFont;
  ASSERT_EQ(GetObjectType(titleFont), static_cast<DWORD>(OBJ_FONT));
  SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(GetObjectType(titleFont), 0u);
  EXPECT_EQ(Resources().panelBrush, nullptr);
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

TEST_F(MainWindowTest, APlainCloseRequestDestroysWithoutTheTeardown) {
  HFONT titleFont = Resources().titleFont;
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(GetObjectType(titleFont), static_cast<DWORD>(OBJ_FONT));
}

TEST_F(MainWindowTest, TheAgreementPromptCameBeforeTheWindowWasShown) {
  ASSERT_EQ(boxes_.Seen().size(), 1u);
  const SeenMessageBox& box = boxes_.Seen()[0];
  EXPECT_EQ(box.caption, kAgreementPrompt.caption);
  EXPECT_EQ(box.text, kAgreementPrompt.text);
  EXPECT_EQ(box.owner, window_);
  EXPECT_FALSE(box.ownerVisible);
  EXPECT_EQ(box.defaultButton, IDNO);
  EXPECT_TRUE(box.questionIcon);
}

TEST(AgreementPromptTest, AnyAnswerButYesClosesTheWindowBeforeItIsShown) {
  for (int answer : {IDNO, IDCANCEL}) {
    MessageBoxScript boxes;
    HWND window = CreateWindowAnswering(boxes, answer);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(FindWindowA(std::string(kWindowClassName).c_str(), nullptr), nullptr);
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(App().logWindow, nullptr);
    DestroyAndUnregister(window);
  }
}

TEST(StartDirectoryTest, TempIsCreatedInTheCurrentDirectoryAndMayExistAlready) {
  char original[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, original);
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  const std::string start =
      std::string(base) + "trellimux-start-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(start.c_str(), nullptr);
  RemoveDirectoryA((start + "\\Temp").c_str());
  ASSERT_TRUE(SetCurrentDirectoryA(start.c_str()));
  char expectedStart[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, expectedStart);
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);

  for (int run = 0; run < 2; ++run) {  // the second run finds Temp existing
    SCOPED_TRACE(run);
    MessageBoxScript boxes;
    boxes.Answer(IDYES);  // the agreement; then No to the note on FFmpeg
    HWND window = CreateWindowAnswering(boxes, IDNO);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Resources().startDirectory, expectedStart);
    EXPECT_EQ(Resources().tempDir, std::string(expectedStart) + "\\Temp");
    const DWORD attributes = GetFileAttributesA(Resources().tempDir.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(Resources().programPath, module);
    // The agreement, then the note that FFmpeg's programs are not in the
    // start folder, shown over the window.
    ASSERT_EQ(boxes.Seen().size(), 2u);
    const SeenMessageBox& note = boxes.Seen()[1];
    EXPECT_EQ(note.caption, " Note");
    EXPECT_EQ(note.text.rfind("ffmpeg.exe and ffprobe.exe are not in the folder of Trellimux, " +
                                  std::string(expectedStart) + ".\r\n",
                              0),
              0u)
        << note.text;
    EXPECT_TRUE(note.ownerVisible);
    EXPECT_EQ(note.defaultButton, IDNO);
    DestroyAndUnregister(window);
  }

  SetCurrentDirectoryA(original);
  RemoveDirectoryA((start + "\\Temp").c_str());
  RemoveDirectoryA(start.c_str());
}

}  // namespace
}  // namespace trellimux::test
