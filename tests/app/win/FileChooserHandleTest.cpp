// A long session of file dialogs must not pile up handles: whatever a dialog
// opens (under Wine, the key of its recent-folders list) is given back once a
// file is chosen.
#include <windows.h>

#include <fstream>
#include <string>

#include "app/ControlIds.h"
#include "app/win/WindowTestSupport.h"
#include "jobs/win/HandleCount.h"
#include "media/SampleMedia.h"

namespace trellimux::test {
namespace {

constexpr int kDialogs = 10;
// Handles the platform opens or closes on its own schedule.
constexpr long kSlack = 2;

using FileChooserHandleTest = MainWindowTest;

TEST_F(FileChooserHandleTest, ChosenFilesLeaveTheHandleCountWhereTheFirstLeftIt) {
  const std::string folder = WorkFolder("dialog-handles");
  const std::string input = folder + "\\a.ts";
  std::ofstream(input) << "media";
  Click(kConcatButton);
  long afterFirst = -1;
  // Open and save dialogs in turns, each answered with a file.
  for (int dialog = 0; dialog < kDialogs; ++dialog) {
    const bool open = dialog % 2 == 0;
    boxes_.ChooseFile(open ? input : folder + "\\joined.ts");
    Click(open ? kConcatAddButton : kConcatOutputButton);
    if (dialog == 0) afterFirst = HandleCountOf(GetCurrentProcess());
  }
  ASSERT_GT(afterFirst, 0);
  EXPECT_NEAR(HandleCountOf(GetCurrentProcess()), afterFirst, kSlack);
}

}  // namespace
}  // namespace trellimux::test
