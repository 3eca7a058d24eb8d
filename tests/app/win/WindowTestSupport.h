// Support for tests that create the real main window in the test process:
// message boxes answered from a script by a CBT hook, bounded message
// pumping, and a fixture that builds and tears down the window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/ControlTable.h"

namespace trellimux::test {

struct SeenMessageBox {
  std::string caption;
  std::string text;
  bool ownerVisible;  // whether the owner was visible when the box came up
  HWND owner;
  int defaultButton;  // IDYES, IDNO, ...
  bool questionIcon;
  // File dialogs: the folder shown and the first entry of the type list.
  std::string folder;
  std::string filter;
};

// Answers every message box and file dialog of this thread with the next
// scripted answer (IDYES, IDNO, IDOK, ..., or a file typed into a file
// dialog); a box without a scripted answer gets IDCANCEL and fails the test.
class MessageBoxScript {
 public:
  MessageBoxScript();
  ~MessageBoxScript();
  void Answer(int button) { answers_.push_back({button, {}}); }
  // A file dialog: `path` typed as the file name, then OK.
  void ChooseFile(std::string path) { answers_.push_back({IDOK, std::move(path)}); }
  // Answers that no box took (the test expected a box that did not come).
  void DropUnusedAnswers() { answers_.clear(); }
  const std::vector<SeenMessageBox>& Seen() const { return seen_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK AnswerPending(HWND, UINT, UINT_PTR timer, DWORD);
  void OnActivate(HWND dialog);
  void Answer(HWND dialog);

  struct ScriptedAnswer {
    int button;
    std::string file;
  };

  HHOOK hook_;
  HWND pending_ = nullptr;
  std::deque<ScriptedAnswer> answers_;
  std::vector<SeenMessageBox> seen_;
};

// Runs the thread's pending messages (a bounded number of rounds).
void PumpMessages();

// Runs the thread's messages until `done` holds or `limit` ms passed; false
// on timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD limit);

std::string ClassNameOf(HWND window);
RECT ClientRectOf(HWND control);  // in the parent's client coordinates
bool HasStyle(HWND window, LONG style);

// A freshly created main window, shown after the agreement box was answered
// Yes; destroyed and its class unregistered after the test.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static HWND Item(int id);
  static void Click(int id);  // a button's command as the window receives it
  static bool Visible(int id) { return IsWindowVisible(Item(id)) != FALSE; }
  static bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  // Clicks a button and reports "caption|text" of the box the click showed
  // (answered with `answer`), or "" when none came.
  std::string ClickForBox(int id, int answer = IDOK);

  MessageBoxScript boxes_;
  HWND window_ = nullptr;

 private:
  std::string startFolder_;
};

// Registers the class and creates the window with the agreement answered as
// given; the result is the window or null.
HWND CreateWindowAnswering(MessageBoxScript& boxes, int answer);
void DestroyAndUnregister(HWND window);

}  // namespace trellimux::test
