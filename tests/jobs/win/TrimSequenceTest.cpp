// The Trim job with the fake ffmpeg.exe: one run per cut with the lines of
// the Trim box, the log they leave, cancelling between cuts, and each join
// the concat mode chooses. The fake's cuts write files, so the files show
// which runs happened.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win/WindowTestSupport.h"
#include "concat/ConcatCommand.h"
#include "jobs/FailureText.h"
#include "jobs/JobKind.h"
#include "jobs/win/RunnerTestSupport.h"
#include "process/win/PlatformError.h"

namespace trellimux::test {
namespace {

constexpr char kCommandEnd[] = "\r\n\r\n";
constexpr char kRunEnd[] = "\r\n\r\n\r\n";

class TrimSequenceTest : public ::testing::Test {
 protected:
  // The fake's command that writes `text` into the file `name` of the folder.
  std::string WriteCommand(const std::string& name, const std::string& text) const {
    return " write-file \"" + folder_.Path(name) + "\" " + text;
  }

  // The log of one cut that ran WriteCommand(name, text).
  std::string LoggedCut(const std::string& name, const std::string& text) const {
    return WriteCommand(name, text) + kCommandEnd + "wrote " + text + "\r\n" + kRunEnd;
  }

  // A Trim job of `cuts` cuts whose box holds `lines`.
  JobDescription Trim(std::size_t cuts, const std::vector<std::string>& lines, int concatMode) {
    std::string box;
    for (std::size_t i = 0; i < lines.size(); ++i) box += (i ? "\r\n" : "") + lines[i];
    JobDescription job = runner_.Job(kTrimJob, box);
    for (std::size_t i = 1; i <= cuts; ++i) {
      job.cutFilePaths.push_back(folder_.Path("temp" + std::to_string(i) + ".ts"));
    }
    job.trimConcatMode = concatMode;
    job.outputPath = folder_.Path("trimmed.ts");
    return job;
  }

  // Runs a job to its end; it must post its job-done message exactly once.
  void Run(const JobDescription& job) {
    const int before = runner_.DoneMessages();
    ASSERT_TRUE(StartJobThread(job));
    ASSERT_TRUE(PumpUntil([&] { return runner_.DoneMessages() > before; }, 30000));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(runner_.DoneMessages(), before + 1);
  }

  bool LogShows(const char* text) const {
    return runner_.LogText().find(text) != std::string::npos;
  }

  ScratchFolder folder_;
  RunnerWindow runner_;
};

// Demuxer and file joins run line n as one more ffmpeg, with no separator
// after its output.
TEST_F(TrimSequenceTest, FfmpegJoinRunsLineNAfterTheCuts) {
  for (const int mode : {kDemuxerConcat, kFileConcat}) {
    SCOPED_TRACE(mode);
    const std::string join = " arguments join " + std::to_string(mode);
    runner_.SetLogText("the last job's log");
    Run(Trim(2, {WriteCommand("temp1.ts", "one"), WriteCommand("temp2.ts", "two"), join}, mode));
    EXPECT_EQ(runner_.LogText(), LoggedCut("temp1.ts", "one") + LoggedCut("temp2.ts", "two") +
                                     join + kCommandEnd + "<join>\r\n<" + std::to_string(mode) +
                                     ">\r\n");
    EXPECT_EQ(runner_.jobKind, kTrimJob);
  }
}

TEST_F(TrimSequenceTest, CancelDuringCutTwoOfFourSkipsTheLaterCutsAndTheJoin) {
  const JobDescription job =
      Trim(4,
           {WriteCommand("temp1.ts", "one"), " wait-for-quit", WriteCommand("temp3.ts", "three"),
            WriteCommand("temp4.ts", "four"), WriteCommand("trimmed.ts", "joined")},
           kDemuxerConcat);
  ASSERT_TRUE(StartJobThread(job));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("waiting"); }, 20000));
  runner_.cancelRequested = 1;
  ASSERT_TRUE(PumpUntil([this] { return runner_.DoneMessages() > 0; }, 20000));
  PumpUntil([] { return false; }, 300);

  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.jobKind, kTrimJob);
  // Cut 2 ended at the polite request, so its separator follows.
  EXPECT_EQ(runner_.LogText(), LoggedCut("temp1.ts", "one") + " wait-for-quit" + kCommandEnd +
                                   "waiting\r\nquit by request\r\n" + kRunEnd);
  EXPECT_TRUE(FileExists(folder_.Path("temp1.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("temp3.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("temp4.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("trimmed.ts")));
}

TEST_F(TrimSequenceTest, CutEndedByForceGetsNoSeparatorAndEndsTheJob) {
  JobDescription job =
      Trim(2, {" stubborn", WriteCommand("temp2.ts", "two"), " arguments join"}, kFileConcat);
  job.stopGrace = std::chrono::milliseconds(300);
  ASSERT_TRUE(StartJobThread(job));
  ASSERT_TRUE(PumpUntil([this] { return LogShows("stubborn\r\n"); }, 20000));
  // Each press after the grace climbs one step of the ladder; the last is
  // the forced end.
  for (int press = 0; press < 4 && runner_.DoneMessages() == 0; ++press) {
    runner_.cancelRequested = 1;
    PumpUntil([this] { return runner_.DoneMessages() > 0; }, 1000);
  }
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(runner_.DoneMessages(), 1);
  EXPECT_EQ(runner_.cancelRequested, -1);
  EXPECT_EQ(runner_.LogText(), std::string(" stubborn") + kCommandEnd + "stubborn\r\n");
  EXPECT_FALSE(FileExists(folder_.Path("temp2.ts")));
}

TEST_F(TrimSequenceTest, NoCutsEndsAtOnceAndLeavesTheLog) {
  runner_.SetLogText("the last job's log");
  runner_.cancelRequested = 1;
  Run(Trim(0, {WriteCommand("trimmed.ts", "joined")}, kDemuxerConcat));
  EXPECT_EQ(runner_.LogText(), "the last job's log");
  EXPECT_EQ(runner_.cancelRequested, 0);
  EXPECT_EQ(runner_.jobKind, kTrimJob);
  EXPECT_FALSE(FileExists(folder_.Path("trimmed.ts")));
}

// "Cut only", the caption, no selection or an unknown entry: line n is
// never run.
TEST_F(TrimSequenceTest, ModesWithoutAJoinRunOnlyTheCuts) {
  for (const int mode : {static_cast<int>(kCutOnly), static_cast<int>(kNoConcatMode), -1, 9}) {
    SCOPED_TRACE(mode);
    Run(Trim(1, {WriteCommand("temp1.ts", "one"), WriteCommand("trimmed.ts", "joined")}, mode));
    EXPECT_EQ(runner_.LogText(), LoggedCut("temp1.ts", "one"));
    EXPECT_EQ(runner_.jobKind, kTrimJob);
    EXPECT_FALSE(FileExists(folder_.Path("trimmed.ts")));
  }
}

TEST_F(TrimSequenceTest, WindowsFileJoinAppendsTheCutFiles) {
  HWND bar = runner_.ProgressBar();
  SetWindowLongPtrA(bar, GWL_STYLE, WS_CHILD | WS_VISIBLE | PBS_MARQUEE);  // as for every Trim job
  Run(Trim(2,
           {WriteCommand("temp1.ts", "first"), WriteCommand("temp2.ts", "second"),
            std::string(kWindowsFileJoinNote)},
           kWindowsFileConcat));
  EXPECT_EQ(runner_.jobKind, kTrimJob);
  EXPECT_EQ(ReadFileBytes(folder_.Path("trimmed.ts")), "firstsecond");
  EXPECT_EQ(runner_.LogText(), LoggedCut("temp1.ts", "first") + LoggedCut("temp2.ts", "second") +
                                   std::string(kWindowsFileJoinNote) + kCommandEnd);
  EXPECT_EQ(GetWindowLongPtrA(bar, GWL_STYLE), 0x50000001);
  EXPECT_EQ(ProgressRangeEnd(bar), 2);
  EXPECT_EQ(ProgressPosition(bar), 2);
}

// A box without line 1 and line n: cut 2 runs an empty command and writes no
// file, so the join fails on it, after logging its empty note.
TEST_F(TrimSequenceTest, MissingLinesRunEmptyAndAMissingCutFileFailsTheJoin) {
  Run(Trim(2, {WriteCommand("temp1.ts", "first")}, kWindowsFileConcat));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText, PlatformErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ReadFileBytes(folder_.Path("trimmed.ts")), "");
  EXPECT_EQ(runner_.LogText(),
            LoggedCut("temp1.ts", "first") + kCommandEnd + kRunEnd + kCommandEnd);
}

// A cut whose ffmpeg fails ends the job there, named in the text: no later
// cut and no join. A failing join is named the same way.
TEST_F(TrimSequenceTest, FailedCutStopsTheSequenceAndFailedJoinIsNamed) {
  const std::string failure = " fail 1 \"Unknown encoder 'x'\"";
  const std::string output =
      "Press [q] to stop, [?] for help\r\nUnknown encoder 'x'\r\nConversion failed!\r\n";
  Run(Trim(4,
           {WriteCommand("temp1.ts", "one"), failure, WriteCommand("temp3.ts", "three"),
            WriteCommand("temp4.ts", "four"), WriteCommand("trimmed.ts", "joined")},
           kDemuxerConcat));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText, FfmpegFailedText({FfmpegRun::kCut, 2, 4}, 1, output, ""));
  EXPECT_EQ(runner_.LogText(), LoggedCut("temp1.ts", "one") + failure + kCommandEnd + output);
  EXPECT_FALSE(FileExists(folder_.Path("temp3.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("trimmed.ts")));

  Run(Trim(1, {WriteCommand("temp1.ts", "one"), failure}, kFileConcat));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText, FfmpegFailedText({FfmpegRun::kJoin}, 1, output, ""));
}

// A box of blocks (a Smart Copy box: a cut's lines, an empty line, the next
// cut's): each cut runs its lines in turn, and its pieces beside its file
// go once the file is made. A copy line or an MP4 cut's step the program
// cannot run fails the job, naming its cut: no later line, no join.
TEST_F(TrimSequenceTest, ACutsLinesRunInTurnAndACopyLineThatCannotRunFailsIt) {
  const std::string missing = folder_.Path("missing.ts");
  const std::string copy = " Copy packets from \"" + missing + "\" to \"" +
                           folder_.Path("temp2.ts") +
                           "\": PIDs 256; video from byte 0, keyframe 1.000000 s, to the end";
  Run(Trim(2,
           {WriteCommand("temp1-head.ts", "head"), WriteCommand("temp1.ts", "one"), "", copy, "",
            WriteCommand("trimmed.ts", "joined")},
           kDemuxerConcat));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText,
            CopyFailedText({FfmpegRun::kCut, 2, 2}, PlatformErrorText(ERROR_FILE_NOT_FOUND)));
  EXPECT_EQ(runner_.LogText(),
            LoggedCut("temp1-head.ts", "head") + LoggedCut("temp1.ts", "one") + copy + kCommandEnd);
  EXPECT_TRUE(FileExists(folder_.Path("temp1.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("temp1-head.ts"))) << "a made cut's piece was left";
  EXPECT_FALSE(FileExists(folder_.Path("temp2.ts")));
  EXPECT_FALSE(FileExists(folder_.Path("trimmed.ts")));

  Run(Trim(1, {" Copy packets from the start", "", "join"}, kCutOnly));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText,
            CopyFailedText({FfmpegRun::kCut, 1, 1},
                           "its line in the command box does not read as a copy."));
  // An MP4 cut's step on a file that is no MP4.
  const std::string notMp4 = folder_.Path("temp1.mp4");
  Run(Trim(1,
           {WriteCommand("temp1.mp4", "not an mp4"),
            " Add the parameter sets of \"" + notMp4 + "\" to \"" + notMp4 + "\"", "", "join"},
           kCutOnly));
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_EQ(runner_.results.errorText,
            CopyFailedText({FfmpegRun::kCut, 1, 1},
                           "the H.264 settings of the input or of the cut's file could not be "
                           "read. Choose \"Copy\" or \"Reencode\" for this file."));
}

TEST_F(TrimSequenceTest, MissingFfmpegFailsAtTheFirstCut) {
  JobDescription job =
      Trim(2, {WriteCommand("temp1.ts", "one"), WriteCommand("temp2.ts", "two")}, kCutOnly);
  job.toolDirectory = FakeToolsDirectory() + "\\..";  // a folder without the tools
  Run(job);
  EXPECT_EQ(runner_.jobKind, kFailedJob);
  EXPECT_TRUE(runner_.results.errorText.starts_with("ffmpeg.exe is not in the folder of Trellimux"))
      << runner_.results.errorText;
  EXPECT_EQ(runner_.LogText(), WriteCommand("temp1.ts", "one") + kCommandEnd);
  EXPECT_FALSE(FileExists(folder_.Path("temp1.ts")));
}

}  // namespace
}  // namespace trellimux::test
