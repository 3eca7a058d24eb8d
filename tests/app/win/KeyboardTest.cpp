// The keyboard on the real main window: the messages the loop hands to
// the routing, as a key press makes them.
#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <vector>

#include "app/ControlIds.h"
#include "app/KeyboardOrder.h"
#include "app/win/AppState.h"
#include "app/win/KeyboardRouting.h"
#include "app/win/WindowTestSupport.h"

namespace trellimux::test {
namespace {

using KeyboardTest = MainWindowTest;

// The key `key` pressed where the focus is, with Ctrl or Shift held.
bool Press(int key, bool control = false, bool shift = false) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = control ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  MSG message{};
  message.hwnd = GetFocus() ? GetFocus() : App().mainWindow;
  message.message = WM_KEYDOWN;
  message.wParam = static_cast<WPARAM>(key);
  const bool taken = RouteKeyboardMessage(message);
  state[VK_CONTROL] = state[VK_SHIFT] = 0;
  SetKeyboardState(state);
  PumpMessages();
  return taken;
}

int FocusedId() {
  for (HWND window = GetFocus(); window; window = GetParent(window))
    if (GetParent(window) == App().mainWindow) return GetDlgCtrlID(window);
  return 0;
}

// Tab visits every visible, enabled control of each page once, in reading
// order, and comes round again; Shift+Tab goes back. Each page's order is
// printed.
TEST_F(KeyboardTest, TabVisitsEachPageInReadingOrder) {
  for (const Page page : {Page::Information, Page::Concat, Page::Convert, Page::Trim}) {
    SCOPED_TRACE(static_cast<int>(page));
    Click(PageButtonId(page));
    std::vector<int> expected;
    for (const int id : ReadingOrder(page))
      if (IsWindowVisible(Item(id)) && IsWindowEnabled(Item(id))) expected.push_back(id);
    ASSERT_GT(expected.size(), 5u);
    SetFocus(Item(expected.back()));
    std::vector<int> visited;
    std::ostringstream printed;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_TRUE(Press(VK_TAB));
      visited.push_back(FocusedId());
      printed << " " << WindowTextOf(Item(visited.back())).substr(0, 20) << " (0x" << std::hex
              << visited.back() << ")";
    }
    std::cout << "focus order of page " << static_cast<int>(page) << ":" << printed.str() << "\n";
    EXPECT_EQ(visited, expected);
    ASSERT_TRUE(Press(VK_TAB, false, true));
    EXPECT_EQ(FocusedId(), expected[expected.size() - 2]) << "Shift+Tab goes back";
  }
}

// Enter presses the focused button, a command's key presses its button on
// the page shown, and Esc closes the log window; a letter goes to the
// control as it is.
TEST_F(KeyboardTest, EnterAndTheCommandKeysPressTheirButtons) {
  SetFocus(Item(kConvertButton));
  ASSERT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(App().currentPage, Page::Convert);
  ASSERT_TRUE(Press('4', true));
  EXPECT_EQ(App().currentPage, Page::Trim);
  ASSERT_TRUE(Press('L', true));
  ASSERT_TRUE(IsWindowVisible(App().logWindow));
  MSG escape{App().logWindow, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(RouteKeyboardMessage(escape));
  EXPECT_FALSE(IsWindowVisible(App().logWindow));
  SetFocus(Item(kAboutBox));
  EXPECT_FALSE(Press('A'));
  ASSERT_TRUE(Press('2', true));
  SetFocus(Item(kConcatInputList));
  EXPECT_FALSE(Press(VK_RETURN)) << "a list's own Enter";
}

}  // namespace
}  // namespace trellimux::test
