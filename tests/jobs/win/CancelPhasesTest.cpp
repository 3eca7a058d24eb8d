// "Cancel Job" pressed once, twice or three times in every phase of a run
// with the fake ffmpeg.exe: the outcome is exactly "cancelled" whatever the
// order of the presses and the child's end, a job not cancelled never ends
// so, and a file the child finishes after "q" is never cut short by a
// further press. The fake aborts its writing on Ctrl-C, as ffmpeg does on a
// second signal while it closes its output.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win/WindowTestSupport.h"
#include "jobs/JobCompletion.h"
#include "jobs/JobKind.h"
#include "jobs/win/RunnerTestSupport.h"

namespace trellimux::test {
namespace {

constexpr char kNotice[] = "Stopping\xE2\x80\xA6 FFmpeg was asked to stop and finish the output file.";

enum class Phase {
  BeforeStart,  // pressed at once, before the child is running
  Running,      // while it runs
  Finishing,    // while it closes its file after the first press's "q"
};

const char* NameOf(Phase phase) {
  switch (phase) {
    case Phase::BeforeStart:
      return "before the child started";
    case Phase::Running:
      return "while it runs";
    default:
      return "while it finishes after q";
  }
}

// One job with the fake, and the user's presses.
class CancelSession : public RunnerWindow {
 public:
  // Presses "Cancel Job" `count` times, 300 ms apart, answering messages.
  void Press(int count) {
    for (int press = 0; press < count; ++press) {
      cancelRequested = 1;
      PumpUntil([] { return false; }, 300);
    }
  }

  bool LogShows(const char* text) const { return LogText().find(text) != std::string::npos; }

  void WaitForLog(const char* text) {
    ASSERT_TRUE(PumpUntil([&] { return LogShows(text); }, 20000)) << text;
  }

  void WaitForEnd() {
    ASSERT_TRUE(PumpUntil([this] { return DoneMessages() > 0; }, 30000));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(DoneMessages(), 1);
  }

  Completion Outcome() const { return CompletionFor(jobKind, results.cancelled); }
};

// The fake writes "begin " at "q" and "end" 1.5 s later.
std::string FinishingCommand(const std::string& output) {
  return " finish-after-quit \"" + output + "\" 1500";
}

TEST(CancelPhases, PressesBeforeTheEndCancelAndNeverCutTheFile) {
  ScratchFolder folder;
  const std::string output = folder.Path("out.mp4");
  for (const Phase phase : {Phase::BeforeStart, Phase::Running, Phase::Finishing}) {
    for (int presses = 1; presses <= 3; ++presses) {
      SCOPED_TRACE(std::string(NameOf(phase)) + ", presses: " + std::to_string(presses));
      DeleteFileA(output.c_str());
      CancelSession session;
      ASSERT_TRUE(StartJobThread(session.Job(kConvertEasyJob, FinishingCommand(output))));
      if (phase != Phase::BeforeStart) session.WaitForLog("waiting");
      if (phase == Phase::Finishing) {
        session.Press(1);
        session.WaitForLog("finishing");
      }
      session.Press(presses);
      session.WaitForEnd();
      EXPECT_EQ(session.Outcome(), Completion::Canceled);
      EXPECT_EQ(ReadFileBytes(output), "begin end");
      // A further press while the child closes its file is answered, not acted on.
      if (phase != Phase::BeforeStart) {
        EXPECT_EQ(session.LogShows(kNotice), phase == Phase::Finishing || presses > 1);
      }
    }
  }
}

// Presses that come after the child ended (before the window read the
// outcome) change nothing: a cancelled job stays cancelled, one that ran to
// its end stays done.
TEST(CancelPhases, PressesAfterTheChildEndedChangeNoOutcome) {
  ScratchFolder folder;
  const std::string output = folder.Path("out.mp4");
  for (const bool cancelledBefore : {false, true}) {
    for (int presses = 1; presses <= 3; ++presses) {
      SCOPED_TRACE(std::string(cancelledBefore ? "cancelled" : "ran to its end") +
                   ", presses: " + std::to_string(presses));
      CancelSession session;
      const std::string command = cancelledBefore ? FinishingCommand(output)
                                                  : " write-file \"" + output + "\" whole";
      ASSERT_TRUE(StartJobThread(session.Job(kConvertEasyJob, command)));
      if (cancelledBefore) {
        session.WaitForLog("waiting");
        session.Press(1);
      }
      session.WaitForEnd();
      session.Press(presses);
      EXPECT_EQ(session.Outcome(), cancelledBefore ? Completion::Canceled : Completion::Done);
      EXPECT_EQ(ReadFileBytes(output), cancelledBefore ? "begin end" : "whole");
    }
  }
}

// ffmpeg started without -y waits on "Overwrite? [y/N]" when its output is
// still there; the one press answers it with no.
TEST(CancelPhases, AChildWaitingOnAQuestionEndsOnOnePress) {
  CancelSession session;
  ASSERT_TRUE(StartJobThread(session.Job(kConvertEasyJob, " ask-overwrite")));
  session.WaitForLog("Overwrite? [y/N]");
  session.Press(1);
  session.WaitForEnd();
  EXPECT_EQ(session.Outcome(), Completion::Canceled);
  EXPECT_TRUE(session.LogShows("Not overwriting - exiting"));
}

// A second press while a cut closes its file must not let the next cut run.
TEST(CancelPhases, FurtherPressesDuringACutStartNoLaterCut) {
  ScratchFolder folder;
  CancelSession session;
  const std::string firstCut = folder.Path("temp1.ts"), secondCut = folder.Path("temp2.ts");
  JobDescription job = session.Job(
      kTrimJob, FinishingCommand(firstCut) + "\r\n write-file \"" + secondCut + "\" cut2");
  job.cutFilePaths = {firstCut, secondCut};
  ASSERT_TRUE(StartJobThread(job));
  session.WaitForLog("waiting");
  session.Press(1);
  session.WaitForLog("finishing");
  session.Press(2);
  session.WaitForEnd();
  EXPECT_EQ(session.Outcome(), Completion::Canceled);
  EXPECT_EQ(ReadFileBytes(firstCut), "begin end");
  EXPECT_FALSE(FileExists(secondCut));
}

}  // namespace
}  // namespace trellimux::test
