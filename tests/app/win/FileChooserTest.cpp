// The file dialogs of the real window, answered by the test's script: their
// titles, start folders and filters, and what a choice (or a cancel) changes
// on the Concat, Convert and Trim pages.
#include <windows.h>

#include <fstream>
#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/TableTestSupport.h"
#include "media/SampleMedia.h"

namespace trellimux::test {
namespace {

constexpr int kTs = 16;  // ".ts" in container lists A

class FileChooserTest : public MainWindowTest {
 protected:
  // An existing file in a fresh folder of the test.
  std::string MakeFile(const std::string& folder, const std::string& name) {
    const std::string path = folder + "\\" + name;
    std::ofstream(path) << "media";
    return path;
  }
  const SeenMessageBox& LastBox() const { return boxes_.Seen().back(); }
};

TEST_F(FileChooserTest, ConcatAddFollowsTheFirstFilesExtensionAndFolder) {
  const std::string recordings = WorkFolder("add-recordings");
  const std::string first = MakeFile(recordings, "a.TS");
  const std::string second = MakeFile(recordings, "b.TS");
  Click(kConcatButton);

  boxes_.ChooseFile(first);
  Click(kConcatAddButton);
  EXPECT_EQ(LastBox().caption, " Select input file");
  EXPECT_EQ(LastBox().filter, "All Files");
  EXPECT_EQ(ListSelection(kConcatContainerList), kTs);
  // The output box got the folder, then the container's extension.
  EXPECT_EQ(ControlText(kConcatOutputBox), recordings + "\\.ts");

  boxes_.ChooseFile(second);
  Click(kConcatAddButton);
  EXPECT_EQ(LastBox().filter, "TS");  // only files like the first one
  EXPECT_EQ(LastBox().folder, recordings);
  EXPECT_EQ(App().concatInputs.Paths(), (std::vector<std::string>{first, second}));
  EXPECT_EQ(GetFocus(), Item(kConcatInputList));

  boxes_.Answer(IDCANCEL);
  Click(kConcatAddButton);
  EXPECT_EQ(App().concatInputs.Size(), 2u);

  // A new name in another folder; the container's extension replaces .avi.
  const std::string outputs = WorkFolder("add-outputs");
  boxes_.ChooseFile(outputs + "\\joined.avi");
  Click(kConcatOutputButton);
  EXPECT_EQ(LastBox().caption, " Select output file");
  EXPECT_EQ(ControlText(kConcatOutputBox), outputs + "\\joined.ts");
  EXPECT_NE(ControlText(kConcatCommandBox).find(outputs + "\\joined.ts"), std::string::npos);

  // The next output dialog starts where the last one ended; a cancel keeps
  // the box.
  boxes_.Answer(IDCANCEL);
  Click(kConcatOutputButton);
  EXPECT_EQ(LastBox().folder, outputs);
  EXPECT_EQ(ControlText(kConcatOutputBox), outputs + "\\joined.ts");

  // An emptied list offers all files again.
  Click(kConcatResetButton);
  boxes_.Answer(IDCANCEL);
  Click(kConcatAddButton);
  EXPECT_EQ(LastBox().filter, "All Files");
}

TEST_F(FileChooserTest, ConvertOutputTakesTheContainersExtension) {
  const std::string outputs = WorkFolder("convert-outputs");
  Click(kConvertButton);
  ChooseListItem(kConvertContainerList, ListItemIndex(kConvertContainerList, ".mkv"));
  boxes_.ChooseFile(outputs + "\\out.avi");
  Click(kConvertOutputButton);
  EXPECT_EQ(ControlText(kConvertOutputBox), outputs + "\\out.mkv");

  ChooseListItem(kConvertContainerList, 0);
  boxes_.ChooseFile(outputs + "\\out.avi");
  Click(kConvertOutputButton);
  EXPECT_EQ(ControlText(kConvertOutputBox), outputs + "\\out");
}

TEST_F(FileChooserTest, ConvertInputStartsTheProbe) {
  const std::string input = SamplePath("broadcast.ts");
  Click(kConvertButton);
  boxes_.ChooseFile(input);
  boxes_.Answer(IDOK);  // the probe's end
  Click(kConvertInputButton);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(ControlText(kConvertInputBox), input);
  EXPECT_EQ(RowCount(kConvertSourceTable), 3);
}

TEST_F(FileChooserTest, TrimInputOfAnUnknownContainerAndItsOutput) {
  const std::string folder = WorkFolder("trim-unknown");
  const std::string input = MakeFile(folder, "x.m4v");  // no media: the probe fails
  Click(kTrimButton);
  boxes_.ChooseFile(input);
  boxes_.Answer(IDOK);  // the note on the container
  boxes_.Answer(IDOK);  // the probe's outcome
  Click(kTrimInputButton);
  ASSERT_TRUE(WaitForIdle());
  ASSERT_GE(boxes_.Seen().size(), 3u);
  EXPECT_EQ(boxes_.Seen()[2].caption, " Note");
  EXPECT_EQ(ListSelection(kTrimContainerList), 0);
  EXPECT_EQ(ControlText(kTrimOutputBox), ".m4v");
  EXPECT_EQ(ControlText(kTrimInputBox), input);

  // Item 0: the output gets the input's extension.
  boxes_.ChooseFile(folder + "\\cut");
  Click(kTrimOutputButton);
  EXPECT_EQ(ControlText(kTrimOutputBox), folder + "\\cut.m4v");
  // The Trim input dialog remembers its own folder.
  boxes_.Answer(IDCANCEL);
  Click(kTrimInputButton);
  EXPECT_EQ(LastBox().folder, folder);
}

}  // namespace
}  // namespace trellimux::test
