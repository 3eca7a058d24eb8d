#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AboutText.h"
#include "app/ControlIds.h"
#include "app/KeyboardOrder.h"

namespace trellimux {
namespace {

// Each page's order holds every control of it and the common ones that
// Tab stops at, once: the page's own, then the right-hand column's, each
// row by row down the window, each row from the left.
TEST(KeyboardOrder, EachPageIsVisitedInReadingOrder) {
  for (const Page page : {Page::Information, Page::Concat, Page::Convert, Page::Trim}) {
    SCOPED_TRACE(static_cast<int>(page));
    const std::vector<int> order = ReadingOrder(page);
    std::vector<int> expected;
    for (const ControlEntry& control : MainWindowControls()) {
      const bool onPage = control.owner == ControlOwner::Common || ShownWithPage(control, page) ||
                          (page == Page::Trim && control.id == kTrimParameterTable);
      if (onPage && TakesTabStop(control.kind)) expected.push_back(control.id);
    }
    std::vector<int> sorted = order;
    std::ranges::sort(sorted);
    std::ranges::sort(expected);
    EXPECT_EQ(sorted, expected);
    // Each next control lies to the right in its row, or in a row below,
    // but where the common column begins.
    for (std::size_t i = 1; i < order.size(); ++i) {
      const ControlEntry& before = *FindControl(order[i - 1]);
      const ControlEntry& after = *FindControl(order[i]);
      if (before.owner != after.owner) {
        EXPECT_EQ(after.owner, ControlOwner::Common) << "the page's controls come first";
        continue;
      }
      if (before.place.x == after.place.x && before.place.y == after.place.y)
        continue;  // the Trim tables
      EXPECT_TRUE(after.place.x > before.place.x || after.place.y > before.place.y)
          << std::hex << order[i - 1] << " then " << order[i];
    }
  }
  const std::vector<int> information = ReadingOrder(Page::Information);
  EXPECT_EQ(information, (std::vector<int>{kAboutBox, kDownloadButton, kInformationButton,
                                           kConcatButton, kConvertButton, kTrimButton,
                                           kShowLogButton, kCancelJobButton, kStartButton}));
  EXPECT_LT(std::ranges::find(information, kInformationButton) - information.begin(),
            std::ranges::find(information, kConcatButton) - information.begin());
}

// The keys of the frequent commands press the page's own buttons; other
// keys and other pages press none.
TEST(KeyboardOrder, KeysPressThePagesButtons) {
  const struct {
    KeyPress press;
    Page page;
    std::optional<int> button;
  } cases[] = {
      {{'1', true}, Page::Trim, kInformationButton},
      {{'4', true}, Page::Information, kTrimButton},
      {{'O', true}, Page::Concat, kConcatAddButton},
      {{'O', true}, Page::Convert, kConvertInputButton},
      {{'S', true}, Page::Trim, kTrimOutputButton},
      {{'O', true}, Page::Information, std::nullopt},
      {{kKeyF5}, Page::Convert, kStartButton},
      {{kKeyF5, false, true}, Page::Convert, kCancelJobButton},
      {{'L', true}, Page::Concat, kShowLogButton},
      {{'N', true}, Page::Trim, kCutAddButton},
      {{'N', true}, Page::Convert, std::nullopt},
      {{'O'}, Page::Convert, std::nullopt},  // a letter typed
      {{'5', true}, Page::Convert, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ButtonOfKey(c.press, c.page), c.button) << c.press.key << " " << c.press.control;
  // The help text names them.
  const std::string_view about = AboutText();
  for (const char* key : {"Ctrl+1 to Ctrl+4", "Ctrl+O is Input", "Ctrl+S is Output", "F5 is Start",
                          "Shift+F5 is Cancel Job", "Ctrl+L is Show last log", "Ctrl+N adds a cut"})
    EXPECT_NE(about.find(key), std::string_view::npos) << key;
}

}  // namespace
}  // namespace trellimux
