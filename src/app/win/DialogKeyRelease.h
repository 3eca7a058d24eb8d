// Wine's file dialogs open the key of their recent-folders list
// (HKCU\...\Explorer\ComDlg32\LastVisitedMRU) to note the folder of the
// chosen file and never close it: one handle more per file chosen, for the
// rest of the session. Around a dialog, this closes the keys of that list
// the dialog left open; elsewhere there are none and it closes nothing.
#pragma once

#include <windows.h>

#include <vector>

namespace trellimux {

class DialogKeyRelease {
 public:
  DialogKeyRelease();   // notes the keys of the list open before the dialog
  ~DialogKeyRelease();  // closes those opened since
  DialogKeyRelease(const DialogKeyRelease&) = delete;
  DialogKeyRelease& operator=(const DialogKeyRelease&) = delete;

 private:
  std::vector<HANDLE> openBefore_;
};

}  // namespace trellimux
