// The job runner with a fake ffmpeg.exe and ffprobe.exe of our own: what
// reaches the log, how a job ends on every path, and how a request to
// cancel is delivered.
#include <gtest/gtest.h>

#include "app/win/LogWindow.h"
#include "app/win/WindowTestSupport.h"
#include "jobs/FailureText.h"
#include "jobs/JobKind.h"
#include "jobs/LogTail.h"
#include "jobs/LogText.h"
#include "jobs/win/DamagedRecordingLog.h"
#include "jobs/win/RunnerTestSupport.h"
#include "process/ChildCommandLine.h"
#include "process/win/PlatformError.h"

namespace trellimux::test {
namespace {

constexpr char kHeaderEnd[] = "\r\n\r\n\r\n";

class JobRunnerTest : public ::testing::Test {
 protected:
  // Runs one ffmpeg job to its end and checks that it ended exactly once.
  std::string RunFfmpeg(const std::string& commandText) {
    const int before = runner_.DoneMessages();
    EXPECT_TRUE(runner_.RunToEnd(runner_.Job(kConvertEasyJob, commandText)));
    EXPECT_EQ(runner_.DoneMessages(), before + 1);
    return runner_.LogText();
  }

  bool LogShows(const char* text) { return runner_.LogText().find(text) != std::string::npos; }

  RunnerWindow runner_;
};

TEST_F(JobRunnerTest, OutputReachesTheLogWithItsLineEndsConverted) {
  EXPECT_EQ(RunFfmpeg(" split-crlf"),
            std::string(" split-crlf") + kHeaderEnd + "first\r\nsecond\r\n");
  EXPECT_EQ(runner_.jobKind, kConvertEasyJob);  // the runner changes it only on failure
}

TEST_F(JobRunnerTest, BareCrIsALineBreakAndBareLfIsNone) {
  EXPECT_EQ(RunFfmpeg(" status"),
            std::string(" status") + kHeaderEnd + "frame=1\r\nframe=2\r\nframe=3\r\nbareline");
}

TEST_F(JobRunnerTest, ChildReceivesExactlyTheBoxText) {
  // Without the leading blank the first word is still an argument.
  const std::string log = RunFfmpeg("arguments \"a b\" c");
  EXPECT_EQ(log, std::string("arguments \"a b\" c") + kHeaderEnd + "<a b>\r\n<c>\r\n");
}

// A log larger than the window shows is kept whole in a file, every byte in
// order; the window shows its end under a line naming the file. The next
// job's log starts small again, and the file is gone.
TEST_F(JobRunnerTest, ALargeLogIsKeptWholeInAFileAndItsEndShown) {
  constexpr long long kBytes = 2 * 1024 * 1024;
  const std::string command = " damaged " + std::to_string(kBytes);
  const std::string shown = RunFfmpeg(command);
  std::string expected = command + kHeaderEnd;
  AppendLogText(expected, DamagedRecordingOutput(kBytes));

  const std::string path = KeptLogPath(runner_.LogWindow());
  ASSERT_NE(path, "");
  EXPECT_EQ(runner_.WholeLogText(), expected);
  const std::string notice = LogTailNotice(path, true);
  ASSERT_EQ(shown.substr(0, notice.size()), notice);
  const std::string end = shown.substr(notice.size());
  EXPECT_LT(end.size(), 256u * 1024);
  EXPECT_EQ(expected.substr(expected.size() - end.size()), end);

  EXPECT_EQ(RunFfmpeg(" status").find(notice), std::string::npos);
  EXPECT_EQ(KeptLogPath(runner_.LogWindow()), "");
  EXPECT_FALSE(FileExists(path));
}

TEST_F(JobRunnerTest, SilenceThenExit) {
  EXPECT_EQ(RunFfmpeg(" silent 1500"), std::string(" silent 1500") + kHeaderEnd);
  EXPECT_EQ(runner_.cancelRequested, 0);
}

TEST_F(JobRunnerTest, CancelPressedWhileIdleDoesNotCancelTheNextJob) {
  runner_.cancelRequested = 1;
  RunFfmpeg(" silent 300");
  EXPECT_EQ(runner_.cancelRequested, 0);
  EXPECT_EQ(runner_.jobKind, kConvertEasyJob);
}

TEST_F(JobRunnerTest, CancelAsksTheChildToQuitAndKeepsReading) {
  ASSERT_TRUE(StartJobThread(runner_.Job(kConvertEasyJob, " wait-for-quit")));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("waiting"); }, 20000));
  EXPECT_EQ(runner_.cancelRequested, 0);
  runner_.cancelRequested = 1;
  ASSERT_TRUE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 20000));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.jobKind, kConvertEasyJob);
  // What the child wrote after the request is in the log too.
  EXPECT_TRUE(LogShows("waiting\r\nquit by request\r\n"));
}

// A child that reads no input (ffmpeg with -nostdin) ignores "q"; the next
// press after the grace reaches it with Ctrl-C, and it still ends by itself.
TEST_F(JobRunnerTest, SecondPressSendsCtrlCWhenQuitIsIgnored) {
  JobDescription job = runner_.Job(kConvertEasyJob, " wait-for-ctrl-c");
  job.stopGrace = std::chrono::milliseconds(500);
  ASSERT_TRUE(StartJobThread(job));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("no input read"); }, 20000));
  runner_.cancelRequested = 1;
  EXPECT_FALSE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 1000));
  runner_.cancelRequested = 1;
  ASSERT_TRUE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 20000));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_TRUE(LogShows("no input read\r\nstopped by Ctrl-C\r\n"));
}

TEST_F(JobRunnerTest, ChildIgnoringRequestsIsStoppedByForceAtLast) {
  JobDescription job = runner_.Job(kConvertEasyJob, " stubborn");
  job.stopGrace = std::chrono::milliseconds(500);
  ASSERT_TRUE(StartJobThread(job));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("stubborn"); }, 20000));
  runner_.cancelRequested = 1;
  // The first request is only a request: the child goes on running.
  EXPECT_FALSE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 1500));
  EXPECT_EQ(runner_.cancelRequested, -1);
  // Each further press after the grace climbs one step, the last being the
  // forced end.
  for (int press = 0; press < 3 && runner_.DoneMessages() == 0; ++press) {
    runner_.cancelRequested = 1;
    PumpUntil([this] { return runner_.DoneMessages() > 0; }, 1500);
  }
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.jobKind, kConvertEasyJob);
}

// A missing tool's failure says which it is and the folder it belongs in.
TEST_F(JobRunnerTest, MissingProgramFailsNamingItsFolder) {
  JobDescription job = runner_.Job(kConvertProbeJob, "", "input.ts");
  job.toolDirectory = FakeToolsDirectory() + "\\missing";
  ASSERT_TRUE(runner_.RunToEnd(job));
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_TRUE(runner_.results.errorText.starts_with(
      "ffprobe.exe is not in the folder of Trellimux, " + job.toolDirectory + ".\r\n"))
      << runner_.results.errorText;

  RunnerWindow again;
  JobDescription run = again.Job(kConcatJob, " status");
  run.toolDirectory = FakeToolsDirectory() + "\\..";  // a folder without the tools
  ASSERT_TRUE(again.RunToEnd(run));
  EXPECT_EQ(again.jobKind, kFailedJob);
  EXPECT_TRUE(again.results.errorText.starts_with("ffmpeg.exe is not in the folder of Trellimux, " +
                                                  run.toolDirectory + "."))
      << again.results.errorText;
  EXPECT_NE(again.results.errorText.find("Download FFmpeg"), std::string::npos);
  EXPECT_EQ(again.DoneMessages(), 1);
}

TEST_F(JobRunnerTest, CommandPastThePlatformLimitFailsWithoutStarting) {
  const std::string command = " status " + std::string(40000, 'x');
  RunFfmpeg(command);
  EXPECT_EQ(runner_.WholeLogText(), command + kHeaderEnd);  // logged, never run
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText, kCommandTooLongText);
}

TEST_F(JobRunnerTest, ProbeKeepsAReportLargerThanThePipe) {
  ASSERT_TRUE(runner_.RunToEnd(runner_.Job(kTrimProbeJob, "", "C:\\large input.ts")));
  EXPECT_EQ(runner_.DoneMessages(), 1);
  const std::string& report = runner_.results.report;
  EXPECT_GT(report.size(), 65535u);
  EXPECT_EQ(report.substr(report.size() - 11), "[/FORMAT]\r\n");
  EXPECT_EQ(runner_.results.trimReportSize, report.size());
  EXPECT_EQ(runner_.results.convertReportSize, 0u);
  // The log holds the arguments and the report as it came.
  EXPECT_EQ(runner_.WholeLogText(),
            " -v quiet -print_format default -show_format -show_streams \"C:\\large input.ts\"" +
                std::string(kHeaderEnd) + report);
}

// A prober that fails or says nothing: the file could not be read, named in
// the text.
TEST_F(JobRunnerTest, ProbeThatWritesNothingFailsNamingTheFile) {
  for (const auto& [input, exitCode] : {std::pair{"C:\\silent.ts", 1}, {"C:\\empty.ts", 0}}) {
    SCOPED_TRACE(input);
    RunnerWindow runner;
    runner.results.convertReportSize = 7;
    ASSERT_TRUE(runner.RunToEnd(runner.Job(kConvertProbeJob, "", input)));
    EXPECT_EQ(runner.DoneMessages(), 1);
    EXPECT_EQ(runner.jobKind, kFailedJob);
    EXPECT_EQ(runner.results.errorText, ProbeFailedText(input, exitCode, ""));
    EXPECT_EQ(runner.results.convertReportSize, 7u);
  }
}

// The child's exit code decides: not 0 is the failure path with ffmpeg's
// reason (and the output it left, if any), unless the run was cancelled.
TEST_F(JobRunnerTest, NonZeroExitFailsWithFfmpegsReasonUnlessCancelled) {
  const std::string reason = "Unknown encoder 'dvb_teletext'";
  const std::string output =
      "Press [q] to stop, [?] for help\r\n" + reason + "\r\nConversion failed!\r\n";
  for (const bool outputLeft : {false, true}) {
    RunnerWindow runner;
    JobDescription job = runner.Job(kConvertExpertJob, " fail 1 \"" + reason + "\"");
    job.outputPath = outputLeft ? FakeToolsDirectory() + "\\ffmpeg.exe" : "C:\\missing.mkv";
    ASSERT_TRUE(runner.RunToEnd(job));
    EXPECT_EQ(runner.DoneMessages(), 1);
    EXPECT_EQ(runner.jobKind, kFailedJob);
    EXPECT_EQ(runner.results.errorText,
              FfmpegFailedText({}, 1, output, outputLeft ? job.outputPath : ""));
    EXPECT_NE(runner.results.errorText.find(reason), std::string::npos);
  }

  // Stopped at the user's request with a code of its own: cancelled, not failed.
  ASSERT_TRUE(StartJobThread(runner_.Job(kConvertEasyJob, " wait-for-quit 255")));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("waiting"); }, 20000));
  runner_.cancelRequested = 1;
  ASSERT_TRUE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 20000));
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.jobKind, kConvertEasyJob);
  EXPECT_EQ(runner_.results.errorText, "");
}

TEST_F(JobRunnerTest, KindsWithoutARunnerEndSilently) {
  RunJob(runner_.Job(3, " status"));
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(runner_.DoneMessages(), 0);
  EXPECT_EQ(runner_.LogText(), "");
}

}  // namespace
}  // namespace trellimux::test
