// The window thread's process-wide state: the main window, the current page,
// the per-page mode flags and what the page switches remember.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/ConcatChoiceMemory.h"
#include "app/Pages.h"
#include "cmdline/EasyModeLists.h"
#include "concat/ConcatInputList.h"
#include "jobs/win/JobRunner.h"
#include "params/PageTables.h"
#include "trim/CutList.h"
#include "trim/TrimChoices.h"

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
  // The user chose to close while a job ran: the window closes when it ends.
  bool closeWhenJobEnds = false;
  JobResults jobResults;  // the last job's report or error text
  // Set while a probe report is loaded, so that row changes do not rebuild
  // the page's command for every row.
  int populatingTable = 0;
  PageTables convertTables{StreamPage::Convert};
  PageTables trimTables{StreamPage::Trim};
  EasyModeLists easyLists;
  // The item revision of each easy-mode list as its drop-down shows it.
  std::array<unsigned, kEasySlotCount> shownEasyListRevisions{};
  // The table column of the last right-click that opened a value menu.
  int lastMenuColumn = 0;
  ConcatInputList concatInputs;
  // The first input's extension with its point; empty when it had none.
  std::string concatInputExtension;
  CutList cuts;
  TrimChoiceMemory trimChoices;
  std::string trimInputExtension;
  // The Trim input's probe report, kept for a Smart Copy start (a later
  // Convert probe replaces the shared one).
  std::string trimReport;
  // The Convert inputs chosen together, in natural order; a batch when
  // there are several (the page shows the first one's streams).
  std::vector<std::string> convertBatch;
  // Where each page's last input dialog, and the shared output dialog,
  // ended: the next dialog of its kind starts there.
  std::string concatInputFolder;
  std::string convertInputFolder;
  std::string trimInputFolder;
  std::string outputFolder;
};

AppState& App();

// Back to the start state for a newly created main window.
void ResetAppState(HWND mainWindow);

// A control of the main window by its identifier.
HWND Control(int id);

// The selected item of a drop-down list, or nullopt when none is.
std::optional<int> ListSelection(int id);
// Selects a drop-down list's item without notifying anyone.
void SelectListItem(int id, int item);
// The text of a drop-down list's item; empty for an item it does not have.
std::string ListItemText(int id, int item);

// A window's whole text, whatever its length.
std::string WindowTextOf(HWND window);

// A control's whole text, and its replacement.
std::string ControlText(int id);
void SetControlText(int id, const std::string& text);

bool LampChecked(int id);
void SetLamp(int id, bool checked);

}  // namespace trellimux
