#include <gtest/gtest.h>

#include "jobs/JobCompletion.h"
#include "jobs/JobKind.h"

namespace trellimux {
namespace {

TEST(JobCompletion, ChecksInTheirOrder) {
  // A job the runner stopped on request is reported as cancelled, even when
  // it also failed.
  EXPECT_EQ(CompletionFor(kFailedJob, true), Completion::Canceled);
  EXPECT_EQ(CompletionFor(kConvertEasyJob, true), Completion::Canceled);
  EXPECT_EQ(CompletionFor(kFailedJob, false), Completion::Failed);
  for (int kind : {kConcatByteCopyJob, kConcatJob, kConvertEasyJob, kConvertExpertJob, kTrimJob}) {
    EXPECT_EQ(CompletionFor(kind, false), Completion::Done) << kind;
  }
  EXPECT_EQ(CompletionFor(kConvertProbeJob, false), Completion::ConvertProbeDone);
  EXPECT_EQ(CompletionFor(kTrimProbeJob, false), Completion::TrimProbeDone);
  // A batch ends with its summary however its files ended.
  EXPECT_EQ(CompletionFor(kConvertBatchJob, true), Completion::BatchDone);
  EXPECT_EQ(CompletionFor(kConvertBatchJob, false), Completion::BatchDone);
  for (int kind : {0, 3, 256, -2}) EXPECT_EQ(CompletionFor(kind, false), Completion::Nothing);
}

TEST(JobCompletion, BoxesAsTheUserSeesThem) {
  EXPECT_EQ(kJobCanceledBox.caption, " Warning");
  EXPECT_EQ(kJobCanceledBox.text, "Job canceled!");
  EXPECT_EQ(kJobCanceledBox.icon, MessageIcon::Warning);
  EXPECT_EQ(kJobDoneBox.caption, "Information");
  EXPECT_EQ(kJobDoneBox.text, "Job done, check the log data.");
  EXPECT_EQ(kJobDoneBox.icon, MessageIcon::Information);
  EXPECT_EQ(kCloseDuringJobQuestion.caption, " Warning");
  EXPECT_EQ(kCloseDuringJobQuestion.text, "A job is running. Cancel it and close Trellimux?");
  EXPECT_EQ(kCloseDuringJobQuestion.icon, MessageIcon::Warning);
  EXPECT_EQ(kCloseDuringJobQuestion.buttons, MessageButtons::YesNo);
  const MessageRequest failed = JobFailedBox("The pipe has been ended.");
  EXPECT_EQ(failed.caption, " Error");
  EXPECT_EQ(failed.text, "The pipe has been ended.");
  EXPECT_EQ(failed.icon, MessageIcon::Error);
}

TEST(JobKinds, WhichRunnerStepRunsThem) {
  EXPECT_TRUE(IsProbeJob(kConvertProbeJob) && IsProbeJob(kTrimProbeJob));
  EXPECT_FALSE(IsProbeJob(kConvertEasyJob) || IsProbeJob(kNoJob));
  EXPECT_TRUE(IsSingleRunJob(kConcatJob) && IsSingleRunJob(kConvertEasyJob) &&
              IsSingleRunJob(kConvertExpertJob));
  EXPECT_FALSE(IsSingleRunJob(kConcatByteCopyJob) || IsSingleRunJob(kTrimJob) ||
               IsSingleRunJob(kFailedJob));
  EXPECT_EQ(kJobDoneMessage, 1024u + 256u);
}

}  // namespace
}  // namespace trellimux
