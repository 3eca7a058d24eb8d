// Page switches, the busy and idle states and the Concat expert-mode
// choices, on the real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/PageView.h"
#include "app/win/WindowTestSupport.h"

namespace trellimux::test {
namespace {

using PageSwitchTest = MainWindowTest;

constexpr Page kAllPages[] = {Page::Information, Page::Concat, Page::Convert, Page::Trim};

bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ExpectOnlyPageShown(Page page) {
  for (const ControlEntry& control : MainWindowControls()) {
    SCOPED_TRACE(::testing::Message() << "control 0x" << std::hex << control.id);
    const bool shown = control.owner == ControlOwner::Common || ShownWithPage(control, page);
    EXPECT_EQ(IsWindowVisible(Control(control.id)) != FALSE, shown);
  }
  for (Page other : kAllPages) EXPECT_EQ(Checked(PageLampId(other)), other == page);
  EXPECT_EQ(WindowTextOf(Control(kPageFrame)), PageTitle(page));
  EXPECT_FALSE(IsWindowVisible(App().logWindow));
  EXPECT_EQ(App().currentPage, page);
}

TEST_F(PageSwitchTest, EachPageShowsExactlyItsOwnControls) {
  ExpectOnlyPageShown(Page::Information);
  for (Page page :
       {Page::Trim, Page::Concat, Page::Convert, Page::Information, Page::Convert, Page::Trim}) {
    SCOPED_TRACE(static_cast<int>(page));
    Click(PageButtonId(page));
    ExpectOnlyPageShown(page);
  }
}

TEST_F(PageSwitchTest, SwitchingHidesTheLogWindow) {
  Click(kShowLogButton);
  ASSERT_TRUE(IsWindowVisible(App().logWindow));
  Click(kConvertButton);
  EXPECT_FALSE(IsWindowVisible(App().logWindow));
}

TEST_F(PageSwitchTest, EachPageSetsItsOwnFocus) {
  Click(kConcatButton);
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));
  Click(kInformationButton);
  EXPECT_EQ(GetFocus(), Item(kAboutBox));
  // Convert and Trim leave the focus where it was.
  SetFocus(Item(kDownloadButton));
  Click(kConvertButton);
  EXPECT_EQ(GetFocus(), Item(kDownloadButton));
  Click(kTrimButton);
  EXPECT_EQ(GetFocus(), Item(kDownloadButton));
}

TEST_F(PageSwitchTest, AskingForTheShownPageChangesNothingButConcatsFocus) {
  Click(kConvertButton);
  SetFocus(Item(kConvertInputButton));
  Click(kShowLogButton);
  Click(kConvertButton);
  EXPECT_TRUE(IsWindowVisible(App().logWindow));  // not a switch: the log stays
  EXPECT_EQ(GetFocus(), App().logWindow);

  Click(kConcatButton);
  SetFocus(Item(kConcatAddButton));
  Click(kShowLogButton);
  Click(kConcatButton);
  EXPECT_TRUE(IsWindowVisible(App().logWindow));
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));
}

TEST_F(PageSwitchTest, LampsIgnoreClicks) {
  SendMessageA(Item(kTrimLamp), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_FALSE(Checked(kTrimLamp));
  EXPECT_TRUE(Checked(kInformationLamp));
  EXPECT_EQ(App().currentPage, Page::Information);
}

TEST_F(PageSwitchTest, CommandBoxesAreWritableOnlyWithTheirEditLampOn) {
  const struct {
    Page page;
    int box;
    int lamp;
  } pages[] = {{Page::Concat, kConcatCommandBox, kConcatEditLamp},
               {Page::Convert, kConvertCommandBox, kConvertEditLamp},
               {Page::Trim, kTrimCommandBox, kTrimEditLamp}};
  for (const auto& page : pages) {
    SCOPED_TRACE(static_cast<int>(page.page));
    Click(PageButtonId(page.page));
    EXPECT_TRUE(HasStyle(Item(page.box), ES_READONLY));
    Click(kInformationButton);
    SetLamp(page.lamp, true);
    Click(PageButtonId(page.page));
    EXPECT_FALSE(HasStyle(Item(page.box), ES_READONLY));
    Click(kInformationButton);
    SetLamp(page.lamp, false);
    Click(PageButtonId(page.page));
    EXPECT_TRUE(HasStyle(Item(page.box), ES_READONLY));
  }
}

TEST_F(PageSwitchTest, TrimShowsItsParameterTableOnlyForReencodeInExpertMode) {
  const struct {
    int expertMode;
    int cutMode;
    bool parameters;
  } cases[] = {{0, 1, false}, {1, 1, true}, {1, 2, false}, {1, 0, false}, {1, -1, false}};
  for (const auto& trim : cases) {
    SCOPED_TRACE(::testing::Message() << trim.expertMode << " " << trim.cutMode);
    App().expertMode.trim = trim.expertMode;
    SendMessageA(Item(kTrimCutModeList), CB_SETCURSEL, trim.cutMode, 0);
    Click(kTrimButton);
    EXPECT_EQ(Visible(kTrimParameterTable), trim.parameters);
    EXPECT_EQ(Visible(kTrimSourceTable), !trim.parameters);
    Click(kConcatButton);
    EXPECT_FALSE(Visible(kTrimParameterTable));
    EXPECT_FALSE(Visible(kTrimSourceTable));
  }
}

TEST_F(PageSwitchTest, BusyLocksThePageButtonsAndCoversThePageUntilIdle) {
  Click(kConvertButton);
  SetBusy();
  for (Page page : kAllPages) EXPECT_FALSE(Enabled(PageButtonId(page)));
  EXPECT_FALSE(Enabled(kStartButton));
  for (int id : {kShowLogButton, kCancelJobButton, kDownloadButton}) EXPECT_TRUE(Enabled(id));
  EXPECT_TRUE(IsWindowVisible(App().logWindow));
  EXPECT_FALSE(IsWindowEnabled(App().logWindow));
  EXPECT_EQ(GetFocus(), window_);

  SetIdle();
  for (Page page : kAllPages) EXPECT_TRUE(Enabled(PageButtonId(page)));
  EXPECT_TRUE(Enabled(kStartButton));
  EXPECT_TRUE(IsWindowVisible(App().logWindow));
  EXPECT_TRUE(IsWindowEnabled(App().logWindow));
  EXPECT_EQ(GetFocus(), App().logWindow);
  EXPECT_EQ(App().currentPage, Page::Convert);
}

int Selected(int id) { return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0)); }

TEST_F(PageSwitchTest, ConcatExpertModeKeepsEachModesOwnChoices) {
  Click(kConcatButton);
  // The automatic choices of a recognised first input.
  SendMessageA(Item(kConcatContainerList), CB_SETCURSEL, 16, 0);  // ".ts"
  SendMessageA(Item(kConcatModeList), CB_SETCURSEL, 2, 0);        // "FFmpeg File"

  EnterConcatExpertMode();
  EXPECT_EQ(Selected(kConcatContainerList), 0);
  EXPECT_EQ(Selected(kConcatModeList), 0);
  EXPECT_TRUE(Enabled(kConcatContainerList));
  EXPECT_TRUE(Enabled(kConcatModeList));
  SendMessageA(Item(kConcatContainerList), CB_SETCURSEL, 9, 0);  // ".mkv"
  SendMessageA(Item(kConcatModeList), CB_SETCURSEL, 1, 0);

  SetFocus(Item(kConcatAddButton));
  LeaveConcatExpertMode();
  EXPECT_EQ(Selected(kConcatContainerList), 16);
  EXPECT_EQ(Selected(kConcatModeList), 2);
  EXPECT_FALSE(Enabled(kConcatContainerList));
  EXPECT_FALSE(Enabled(kConcatModeList));
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));

  EnterConcatExpertMode();
  EXPECT_EQ(Selected(kConcatContainerList), 9);
  EXPECT_EQ(Selected(kConcatModeList), 1);
  LeaveConcatExpertMode();
  EXPECT_EQ(Selected(kConcatContainerList), 16);
  EXPECT_EQ(Selected(kConcatModeList), 2);

  // With no selection in a list nothing changes.
  SendMessageA(Item(kConcatModeList), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EnterConcatExpertMode();
  EXPECT_EQ(Selected(kConcatContainerList), 16);
  EXPECT_FALSE(Enabled(kConcatContainerList));
}

}  // namespace
}  // namespace trellimux::test
