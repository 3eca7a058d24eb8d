// "Start" on the task pages: the page's checks in their order, the overwrite
// question, what the job needs on disk, then the job. A refusal shows its
// message and leaves the page and the disk as they were.
#pragma once

#include "app/Pages.h"

namespace trellimux {

// The start operation of the Concat, Convert or Trim page.
void StartPageJob(Page page);

}  // namespace trellimux
