// Jobs started from the real main window with the real ffprobe.exe and
// ffmpeg.exe (found in the start directory, as the program finds them):
// probes that fill the stream tables, failures, and a cancelled conversion.
#include <windows.h>

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/Pages.h"
#include "app/win/AppState.h"
#include "app/win/JobControl.h"
#include "app/win/TableTestSupport.h"
#include "app/win/WindowTestSupport.h"
#include "jobs/FailureText.h"
#include "jobs/JobKind.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

class JobWindowTest : public MainWindowTest {
 protected:
  const SeenMessageBox& LastBox() {
    static const SeenMessageBox none{};
    return boxes_.Seen().empty() ? none : boxes_.Seen().back();
  }

  // The three streams of the broadcast sample in a source and a parameter
  // table, unchecked.
  void ExpectBroadcastStreams(int sourceList, int parameterList) {
    for (int list : {sourceList, parameterList}) {
      ASSERT_EQ(RowCount(list), 3) << list;
      EXPECT_EQ(CellText(list, 0, 0), "0");
      EXPECT_EQ(CellText(list, 0, 1), "video");
      EXPECT_EQ(CellText(list, 0, 2), "mpeg2video");
      EXPECT_EQ(CellText(list, 0, 5), "720");
      EXPECT_EQ(CellText(list, 0, 8), "16:9");
      EXPECT_EQ(CellText(list, 1, 2), "mp2");
      EXPECT_EQ(CellText(list, 1, 17), "2");
      EXPECT_EQ(CellText(list, 2, 17), "1");
      EXPECT_EQ(CellText(list, 2, 19), "ger");
      EXPECT_EQ(CellText(list, 1, 11), "");  // Quality: never probed
      for (int row = 0; row < 3; ++row) EXPECT_FALSE(ListView_GetCheckState(Control(list), row));
    }
  }
};

// The log covers the page: it comes before the main window in z-order.
bool LogAboveMainWindow() {
  if (!IsWindowVisible(App().logWindow)) return false;
  for (HWND above = GetWindow(App().mainWindow, GW_HWNDPREV); above;
       above = GetWindow(above, GW_HWNDPREV)) {
    if (above == App().logWindow) return true;
  }
  return false;
}

TEST_F(JobWindowTest, ConvertProbeFillsBothTablesAndReportsDone) {
  Click(kConvertButton);
  SetControlText(kConvertOutputBox, "C:\\old output.mp4");
  boxes_.Answer(IDOK);
  const std::string input = SamplePath("broadcast.ts");
  StartConvertProbe(input);
  // Busy meanwhile: pages and Start locked, the log over the page.
  EXPECT_FALSE(Enabled(kInformationButton));
  EXPECT_FALSE(Enabled(kStartButton));
  EXPECT_FALSE(IsWindowEnabled(App().logWindow));
  EXPECT_TRUE(LogAboveMainWindow());
  EXPECT_EQ(App().jobKind, kConvertProbeJob);
  ASSERT_TRUE(WaitForIdle());

  EXPECT_EQ(LastBox().caption, "Information");
  EXPECT_EQ(LastBox().text, "Job done, check the log data.");
  EXPECT_EQ(ControlText(kConvertInputBox), input);
  EXPECT_EQ(ControlText(kConvertOutputBox), "");
  ExpectBroadcastStreams(kConvertSourceTable, kConvertParameterTable);
  EXPECT_EQ(App().convertTables.ParameterTable().RowCount(), 3u);
  EXPECT_EQ(App().populatingTable, 0);
  // Idle again, the log shown with the prober's arguments and report.
  EXPECT_TRUE(Enabled(kInformationButton) && Enabled(kStartButton));
  EXPECT_TRUE(IsWindowVisible(App().logWindow) && IsWindowEnabled(App().logWindow));
  const std::string log = WindowTextOf(App().logWindow);
  EXPECT_EQ(log.rfind(" -v quiet -print_format default -show_format -show_streams \"" + input +
                          "\"\r\n\r\n\r\n[STREAM]",
                      0),
            0u);
  EXPECT_EQ(SendMessageA(Item(kProgressBar), PBM_GETPOS, 0, 0), 0);
  EXPECT_FALSE(HasStyle(Item(kProgressBar), PBS_MARQUEE));
}

TEST_F(JobWindowTest, TrimProbeFillsBothTrimTables) {
  Click(kTrimButton);
  boxes_.Answer(IDOK);
  StartTrimProbe(SamplePath("broadcast.ts"));
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(LastBox().text, "Job done, check the log data.");
  ExpectBroadcastStreams(kTrimSourceTable, kTrimParameterTable);
  EXPECT_EQ(RowCount(kConvertSourceTable), 0);  // the other page is untouched
}

TEST_F(JobWindowTest, NewInputEmptiesTheTablesAndAFailedProbeLeavesThemEmpty) {
  Click(kConvertButton);
  boxes_.Answer(IDOK);
  StartConvertProbe(SamplePath("broadcast.ts"));
  ASSERT_TRUE(WaitForIdle());
  ASSERT_EQ(RowCount(kConvertParameterTable), 3);

  // The prober writes nothing for a file that is not there and ends with
  // exit code 1: the box names the file.
  boxes_.Answer(IDOK);
  const std::string missing = SamplePath("no such recording.ts");
  StartConvertProbe(missing);
  EXPECT_EQ(RowCount(kConvertParameterTable), 0);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(LastBox().caption, " Error");
  EXPECT_EQ(LastBox().text, ProbeFailedText(missing, 1, ""));
  EXPECT_EQ(RowCount(kConvertSourceTable), 0);
  EXPECT_EQ(RowCount(kConvertParameterTable), 0);
  EXPECT_TRUE(Enabled(kStartButton));
}

TEST_F(JobWindowTest, ReportLargerThanThePipeCompletes) {
  Click(kConvertButton);
  boxes_.Answer(IDOK);
  StartConvertProbe(SamplePath("many-streams.ts"));
  ASSERT_TRUE(WaitForIdle());
  EXPECT_GT(App().jobResults.convertReportSize, 65535u);
  ASSERT_EQ(RowCount(kConvertParameterTable), 91);
  EXPECT_EQ(CellText(kConvertParameterTable, 90, 2), "mp2");
  EXPECT_EQ(LastBox().text, "Job done, check the log data.");
}

TEST_F(JobWindowTest, CancelledConversionLeavesAPlayableFile) {
  Click(kConvertButton);
  const std::string output = OutputPath("cancelled.ts");
  SetControlText(kConvertCommandBox,
                 " -y -re -f lavfi -i testsrc=size=320x240:rate=25:duration=30"
                 " -c:v mpeg2video \"" +
                     output + "\"");
  boxes_.Answer(IDOK);
  StartJob({.kind = kConvertEasyJob});
  PumpUntil([] { return false; }, 3000);
  ASSERT_EQ(App().jobKind, kConvertEasyJob);  // still running after 3 s
  Click(kShowLogButton);                      // does nothing while a job runs
  EXPECT_FALSE(IsWindowEnabled(App().logWindow));
  Click(kCancelJobButton);
  ASSERT_TRUE(PumpUntil([] { return App().jobKind == kNoJob; }, 20000));
  EXPECT_EQ(LastBox().caption, " Warning");
  EXPECT_EQ(LastBox().text, "Job canceled!");
  EXPECT_EQ(App().cancelRequested, -1);

  const ToolRun check =
      RunTool(FfmpegTool::Ffprobe,
              " -v error -show_entries format=duration -of default=nw=1:nk=1 \"" + output + "\"");
  EXPECT_EQ(check.exitCode, 0) << check.output;
  const double seconds = std::atof(check.output.c_str());
  EXPECT_GT(seconds, 1.0) << check.output;
  EXPECT_LT(seconds, 15.0) << check.output;
  EXPECT_GE(CountVideoFrames(output), 25);
}

TEST_F(JobWindowTest, CancelDuringAProbeChangesNothing) {
  Click(kConvertButton);
  boxes_.Answer(IDOK);
  StartConvertProbe(SamplePath("broadcast.ts"));
  Click(kCancelJobButton);
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(LastBox().text, "Job done, check the log data.");
  EXPECT_EQ(RowCount(kConvertParameterTable), 3);
}

// In expert mode the finished probe rebuilds the command for the chosen
// container, with the output box emptied.
TEST_F(JobWindowTest, ConvertProbeRebuildsTheExpertCommand) {
  Click(kConvertButton);
  App().expertMode.convert = 1;
  SendMessageA(Item(kConvertContainerList), CB_SETCURSEL, 1, 0);
  SetControlText(kConvertCommandBox, " stale");
  SetControlText(kConvertOutputBox, "C:\\old.mp4");
  boxes_.Answer(IDOK);
  const std::string input = SamplePath("broadcast.ts");
  StartConvertProbe(input);
  EXPECT_EQ(ControlText(kConvertCommandBox), "");
  ASSERT_TRUE(WaitForIdle());
  // The emptied output path takes the container's extension.
  EXPECT_EQ(ControlText(kConvertOutputBox), ".3gp");
  EXPECT_EQ(ControlText(kConvertCommandBox), " -fflags genpts -i \"" + input + "\" \".3gp\"");
}

TEST_F(JobWindowTest, ShowLastLogAfterAJobShowsItAgain) {
  Click(kConvertButton);
  boxes_.Answer(IDOK);
  StartConvertProbe(SamplePath("broadcast.ts"));
  ASSERT_TRUE(WaitForIdle());
  ShowWindow(App().logWindow, SW_HIDE);
  Click(kShowLogButton);
  EXPECT_TRUE(LogAboveMainWindow());
  // Open but behind the page once the user went back to the main window (as
  // Wine draws it): the button brings it forward as the active window.
  SetActiveWindow(App().mainWindow);
  Click(kShowLogButton);
  EXPECT_EQ(GetActiveWindow(), App().logWindow);
  EXPECT_NE(WindowTextOf(App().logWindow).find("codec_name=mpeg2video"), std::string::npos);
}

}  // namespace
}  // namespace trellimux::test
