#include "jobs/JobCompletion.h"

#include "jobs/JobKind.h"

namespace trellimux {

Completion CompletionFor(int jobKind, bool cancelled) {
  if (jobKind == kConvertBatchJob) return Completion::BatchDone;
  if (cancelled) return Completion::Canceled;
  switch (jobKind) {
    case kFailedJob:
      return Completion::Failed;
    case kConcatByteCopyJob:
    case kConcatJob:
    case kConvertEasyJob:
    case kConvertExpertJob:
    case kTrimJob:
      return Completion::Done;
    case kConvertProbeJob:
      return Completion::ConvertProbeDone;
    case kTrimProbeJob:
      return Completion::TrimProbeDone;
    default:
      return Completion::Nothing;
  }
}

}  // namespace trellimux
