// The Convert page's easy mode in the real window: the container fills the
// twenty lists, choices rebuild the command, each container and each mode
// keeps its own choices, and the Bufsize note comes once per run.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/JobControl.h"
#include "app/win/TableTestSupport.h"
#include "media/SampleMedia.h"

namespace trellimux::test {
namespace {

constexpr int kMkv = 9;
constexpr int kMp3 = 11;
constexpr int kMp4 = 12;

int Slot(int row, int column) { return EasyListId(row, column); }
const int kVideoStreamList = Slot(0, 0);
const int kVideoCodecList = Slot(0, 1);
const int kProfileList = Slot(0, 3);
const int kQualityList = Slot(0, 7);
const int kMaxBitrateList = Slot(0, 8);
const int kBufsizeList = Slot(0, 9);
const int kAudioStreamList = Slot(1, 0);
const int kAudioCodecList = Slot(1, 1);

class ConvertPageTest : public MainWindowTest {
 protected:
  // Easy mode with the film sample probed (video 0 h264, audio 1 aac).
  void SetUp() override {
    MainWindowTest::SetUp();
    Click(kConvertButton);
    boxes_.Answer(IDOK);
    input_ = SamplePath("film.mp4");
    StartConvertProbe(input_);
    ASSERT_TRUE(WaitForIdle());
  }

  std::string Expected(const std::string& options, const std::string& output) const {
    return " -fflags genpts -i \"" + input_ + "\"" + options + " \"" + output + "\"";
  }

  static int Selected(int id) { return ListSelection(id).value_or(-1); }
  static std::string Command() { return ControlText(kConvertCommandBox); }

  std::string input_;
};

TEST_F(ConvertPageTest, ContainerFillsTheListsWithTheProbedStreams) {
  EXPECT_EQ(ListItems(kVideoCodecList), std::vector<std::string>{"None"});
  EXPECT_EQ(Command(), "");
  ChooseListItem(kConvertContainerList, kMp4);
  EXPECT_EQ(ListItems(kVideoStreamList), (std::vector<std::string>{"Video Stream", "No Video", "0"}));
  EXPECT_EQ(ListItems(kAudioStreamList), (std::vector<std::string>{"Audio Stream", "No Audio", "1"}));
  EXPECT_EQ(ListItems(kVideoCodecList),
            (std::vector<std::string>{"Video Codec", "hevc", "h264", "mpeg2video", "mpeg4"}));
  EXPECT_EQ(ControlText(kConvertOutputBox), ".mp4");
  EXPECT_EQ(Command(), Expected(" -map 0:v? -map 0:a?", ".mp4"));
  EXPECT_FALSE(Enabled(kConvertParameterTable));
  EXPECT_TRUE(Enabled(kQualityList));
}

TEST_F(ConvertPageTest, CodecChoiceReplacesQualityAndProfileLists) {
  ChooseListItem(kConvertContainerList, kMkv);
  ChooseListItem(kVideoCodecList, 1);  // hevc
  EXPECT_EQ(ListItems(kProfileList), (std::vector<std::string>{"Profile", "Main", "Main_10",
                                                               "Main_Still_Picture", "Rext"}));
  const std::vector<std::string> qualities = ListItems(kQualityList);
  ASSERT_EQ(qualities.size(), 51u);
  EXPECT_EQ(qualities[1], " -crf 1");
  EXPECT_EQ(Selected(kProfileList), 0);
  ChooseListItem(kProfileList, 2);  // Main_10: the encoder's own name
  ChooseListItem(kAudioStreamList, 1);
  EXPECT_EQ(Command(), Expected(" -map 0:v? -c:v hevc -profile:v main10 -an", ".mkv"));
  EXPECT_FALSE(Enabled(kAudioCodecList)) << "No Audio locks the audio lists";
}

TEST_F(ConvertPageTest, BufsizeNoteComesOnceForAllThreeLists) {
  ChooseListItem(kConvertContainerList, kMp4);
  const std::size_t before = boxes_.Seen().size();
  boxes_.Answer(IDOK);
  ChooseListItem(kQualityList, 20);
  ASSERT_EQ(boxes_.Seen().size(), before + 1);
  EXPECT_EQ(boxes_.Seen().back().caption, " Note");
  EXPECT_EQ(boxes_.Seen().back().text.substr(0, 59),
            "Attention please, this Message will be only displayed once!");
  ChooseListItem(kMaxBitrateList, 3);
  ChooseListItem(kBufsizeList, 3);
  ChooseListItem(kQualityList, 21);
  EXPECT_EQ(boxes_.Seen().size(), before + 1);
  EXPECT_NE(Command().find(" -crf 21 -maxrate 600k -bufsize 120k"), std::string::npos) << Command();
}

TEST_F(ConvertPageTest, EachContainerKeepsItsOwnChoices) {
  ChooseListItem(kConvertContainerList, kMp4);
  ChooseListItem(kVideoCodecList, 1);  // hevc
  ChooseListItem(kProfileList, 2);
  const std::string mp4Command = Command();
  ChooseListItem(kConvertContainerList, kMkv);
  EXPECT_EQ(Selected(kVideoCodecList), 0);
  EXPECT_EQ(Command(), Expected(" -map 0:v? -map 0:a?", ".mkv"));
  ChooseListItem(kConvertContainerList, kMp4);
  EXPECT_EQ(Selected(kVideoCodecList), 1);
  EXPECT_EQ(Selected(kProfileList), 2);
  EXPECT_EQ(ListItems(kProfileList)[2], "Main_10");
  EXPECT_EQ(Command(), mp4Command);
}

TEST_F(ConvertPageTest, EachModeKeepsItsOwnContainer) {
  ChooseListItem(kConvertContainerList, kMp4);
  Click(kConvertExpertButton);
  EXPECT_TRUE(LampChecked(kConvertExpertLamp));
  EXPECT_EQ(Selected(kConvertContainerList), 0);
  EXPECT_EQ(Command(), "");
  EXPECT_TRUE(Enabled(kConvertParameterTable));
  EXPECT_FALSE(Enabled(kVideoCodecList));
  ChooseListItem(kConvertContainerList, kMkv);
  EXPECT_EQ(ControlText(kConvertOutputBox), ".mkv");
  EXPECT_EQ(Command(), Expected("", ".mkv"));

  Click(kConvertExpertButton);
  EXPECT_FALSE(LampChecked(kConvertExpertLamp));
  EXPECT_EQ(Selected(kConvertContainerList), kMp4);
  EXPECT_FALSE(Enabled(kConvertParameterTable));
  EXPECT_TRUE(Enabled(kVideoCodecList));
  EXPECT_EQ(Command(), Expected(" -map 0:v? -map 0:a?", ".mp4"));

  Click(kConvertExpertButton);
  EXPECT_EQ(Selected(kConvertContainerList), kMkv);
}

TEST_F(ConvertPageTest, AudioOnlyContainerLeavesTheVideoOut) {
  SetControlText(kConvertOutputBox, "C:\\films\\film.avi");
  ChooseListItem(kConvertContainerList, kMp3);
  EXPECT_EQ(ControlText(kConvertOutputBox), "C:\\films\\film.mp3");
  EXPECT_EQ(ListItems(kVideoStreamList), (std::vector<std::string>{"Video Stream", "No Video"}));
  EXPECT_EQ(Selected(kVideoStreamList), 1);
  EXPECT_FALSE(Enabled(kVideoCodecList));
  EXPECT_EQ(Command(), Expected(" -vn -map 0:a?", "C:\\films\\film.mp3"));
}

// Sets a time picker as the user does: the control reports the change.
void PickTime(int id, WORD hour, WORD minute, WORD second) {
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = Control(id);
  change.nmhdr.idFrom = static_cast<UINT_PTR>(id);
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.dwFlags = GDT_VALID;
  change.st.wYear = 2000;
  change.st.wMonth = 1;
  change.st.wDay = 1;
  change.st.wHour = hour;
  change.st.wMinute = minute;
  change.st.wSecond = second;
  SendMessageA(Control(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
  SendMessageA(App().mainWindow, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
}

TEST_F(ConvertPageTest, TimePickersRebuildTheCommandOfEitherMode) {
  ChooseListItem(kConvertContainerList, kMp4);
  PickTime(kConvertStartTime, 0, 0, 5);
  EXPECT_EQ(Command(), Expected(" -ss 00:00:05 -map 0:v? -map 0:a?", ".mp4"));
  Click(kConvertExpertButton);
  ChooseListItem(kConvertContainerList, kMp4);
  PickTime(kConvertEndTime, 1, 2, 3);
  EXPECT_EQ(Command(), Expected(" -ss 00:00:05 -to 01:02:03", ".mp4"));
}

TEST_F(ConvertPageTest, EditButtonMakesTheBoxWritableUntilPressedAgain) {
  HWND box = Item(kConvertCommandBox);
  EXPECT_TRUE(HasStyle(box, ES_READONLY));
  Click(kConvertEditButton);
  EXPECT_FALSE(HasStyle(box, ES_READONLY));
  EXPECT_TRUE(LampChecked(kConvertEditLamp));
  EXPECT_EQ(GetFocus(), box);
  Click(kConvertEditButton);
  EXPECT_TRUE(HasStyle(box, ES_READONLY));
  EXPECT_FALSE(LampChecked(kConvertEditLamp));
}

}  // namespace
}  // namespace trellimux::test
