// What the window does when a job has ended: the checks in their order (the
// first that matches decides) and the boxes that report the outcome.
#pragma once

#include <string_view>

#include "model/MessageRequest.h"

namespace trellimux {

enum class Completion {
  Canceled,          // the runner acted on a cancel request (wins over a failure)
  Failed,            // the runner's error text is shown
  Done,              // a Concat, Convert or Trim job ran
  ConvertProbeDone,  // parse for Convert, then as Done
  TrimProbeDone,     // parse for Trim, then as Done
  BatchDone,         // a batch ran, whatever its files' ends: its summary is shown
  Nothing,           // no job of ours
};

Completion CompletionFor(int jobKind, bool cancelled);

inline constexpr MessageRequest kJobCanceledBox{" Warning", "Job canceled!", MessageIcon::Warning,
                                                MessageButtons::Ok};
inline constexpr MessageRequest kJobDoneBox{"Information", "Job done, check the log data.",
                                            MessageIcon::Information, MessageButtons::Ok};

// Closing the window while a job runs; Yes cancels the job as "Cancel Job"
// does and closes when it has ended.
inline constexpr MessageRequest kCloseDuringJobQuestion{
    " Warning", "A job is running. Cancel it and close Trellimux?", MessageIcon::Warning,
    MessageButtons::YesNo};

inline MessageRequest JobFailedBox(std::string_view errorText) {
  return {" Error", errorText, MessageIcon::Error, MessageButtons::Ok};
}

}  // namespace trellimux
