// The window thread's process-wide state: the main window, the current page,
// the per-page mode flags and what the page switches remember.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <vector>

#include "app/ConcatChoiceMemory.h"
#include "app/Pages.h"

namespace trellimux {

// One flag per task page.
struct TaskFlags {
  int concat = 0;
  int convert = 0;
  int trim = 0;
};

struct AppState {
  HWND mainWindow = nullptr;
  HWND logWindow = nullptr;
  int barHeight = 0;  // height of the progress bar
  Page currentPage = Page::Information;
  TaskFlags expertMode;
  TaskFlags commandLineEditable;
  ConcatChoiceMemory concatChoices;
  std::vector<int> convertDefaultColumnOrder;
  std::vector<int> trimDefaultColumnOrder;
  // Shared with the job's worker thread: whole words, written by one thread.
  std::atomic<int> jobKind{0};
  std::atomic<int> cancelRequested{0};
};

AppState& App();

// Back to the start state for a newly created main window.
void ResetAppState(HWND mainWindow);

// A control of the main window by its identifier.
HWND Control(int id);

// The selected item of a drop-down list, or nullopt when none is.
std::optional<int> ListSelection(int id);

bool LampChecked(int id);
void SetLamp(int id, bool checked);

}  // namespace trellimux
