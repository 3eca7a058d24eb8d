// trellimux_driver: drives the running trellimux.exe for scripts, one step per
// call. Exit code 0 when the step is done, 1 with a message otherwise.
//   trellimux_driver agree      answer the agreement box with Yes and wait
//                               until the main window shows
//   trellimux_driver page N     show page N (0 Information, 1 Concat,
//                               2 Convert, 3 Trim) and wait until it is painted
//   trellimux_driver rect       print the main window's rectangle: x y w h
//   trellimux_driver close      close the program and wait until it is gone
//   trellimux_driver click ID   click a button that opens no box (ID: 0x4290)
//   trellimux_driver select ID TEXT   choose the item TEXT of a drop-down list
//   trellimux_driver tick ID ROW      tick the check box of a list view's row
//   trellimux_driver text ID    print a control's text
//   trellimux_driver input N PATH     choose the input of page N (1 Concat
//                               adds it to the list, 2 Convert and 3 Trim
//                               probe it) through the file dialog
//   trellimux_driver output N PATH    choose the output of page N
//   trellimux_driver cut IN OUT add a cut on the Trim page (HH:MM:SS.mmm)
//   trellimux_driver start      run the shown page's job to its end box,
//                               saying Yes to an overwrite; done when the job
//                               was
//   trellimux_driver version FILE     print the file version of a program
//                               (no running Trellimux needed)
// PATH is a Windows path.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/win/DriverTaskSteps.h"
#include "app/win/ProgramDriver.h"

namespace trellimux::test {
namespace {

constexpr char kUsage[] =
    "usage: trellimux_driver agree | page 0..3 | rect | close | click ID | select ID TEXT |\n"
    "       tick ID ROW | text ID | input 1..3 PATH | output 1..3 PATH | cut IN OUT | start | "
    "version FILE";

// A command word and how many arguments follow it.
struct CommandForm {
  const char* name;
  int arguments;
};

constexpr CommandForm kCommands[] = {
    {"agree", 0},  {"page", 1},  {"rect", 0},    {"close", 0}, {"click", 1},
    {"select", 2}, {"tick", 2},  {"text", 1},    {"input", 2}, {"output", 2},
    {"cut", 2},    {"start", 0}, {"version", 1},
};

int Failed(const std::string& message) {
  std::fprintf(stderr, "trellimux_driver: %s\n", message.c_str());
  return 1;
}

int Agree(ProgramDriver& program) {
  HWND box = program.WaitForDialog(kStartTimeoutMs);
  if (!box) return Failed(program.Failure());
  if (!program.AnswerDialog(box, IDYES, kStepTimeoutMs) ||
      !program.WaitForMainWindowShown(kStepTimeoutMs))
    return Failed(program.Failure());
  return 0;
}

// The page number 0..3 of `text`, or -1.
int PageNumber(const char* text) {
  char* end = nullptr;
  const long page = std::strtol(text, &end, 10);
  return end != text && !*end && page >= 0 && page < kPageCount ? static_cast<int>(page) : -1;
}

int ShowPage(ProgramDriver& program, int page) {
  if (!program.ShowPage(page, kStepTimeoutMs)) return Failed(program.Failure());
  return 0;
}

int PrintRect(ProgramDriver& program) {
  RECT frame{};
  if (!GetWindowRect(program.MainWindow(), &frame)) return Failed("cannot read the window rect");
  std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top);
  return 0;
}

int Close(ProgramDriver& program) {
  if (!program.RequestClose()) return Failed(program.Failure());
  if (!program.WaitForExit(kStepTimeoutMs)) return Failed(program.Failure());
  if (!PollUntil(kStepTimeoutMs, [] { return FindMainWindow() == nullptr; }))
    return Failed("the main window is still there after the program ended");
  return 0;
}

// A control identifier, decimal or 0x hexadecimal; -1 when it is neither.
int ControlIdOf(const char* text) {
  char* end = nullptr;
  const long id = std::strtol(text, &end, 0);
  return end != text && !*end && id > 0 && id < 0x10000 ? static_cast<int>(id) : -1;
}

// A row number 0.., or -1.
int RowNumber(const char* text) {
  char* end = nullptr;
  const long row = std::strtol(text, &end, 10);
  return end != text && !*end && row >= 0 && row < 10000 ? static_cast<int>(row) : -1;
}

int PrintText(ProgramDriver& program, int id) {
  const std::string text = program.Text(id);
  if (!program.Failure().empty()) return Failed(program.Failure());
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::printf("\n");
  return 0;
}

int PrintVersion(const std::string& file) {
  std::string version, failure;
  if (!FileVersionText(file, version, failure)) return Failed(failure);
  std::printf("%s\n", version.c_str());
  return 0;
}

int Step(bool done, const std::string& failure) { return done ? 0 : Failed(failure); }

int Run(const std::vector<std::string>& words) {
  const std::string command = words.empty() ? "" : words[0];
  bool known = false;
  for (const CommandForm& form : kCommands)
    known = known || (command == form.name && words.size() == std::size_t(form.arguments) + 1);
  if (!known) return Failed(kUsage);
  if (command == "version") return PrintVersion(words[1]);
  const bool onPage = command == "page" || command == "input" || command == "output";
  const int page = onPage ? PageNumber(words[1].c_str()) : 0;
  const bool onControl =
      command == "click" || command == "select" || command == "tick" || command == "text";
  const int id = onControl ? ControlIdOf(words[1].c_str()) : 0;
  if (page < 0 || id < 0) return Failed(kUsage);

  ProgramDriver program;
  if (!program.Attach(kStartTimeoutMs)) return Failed(program.Failure());
  std::string failure, endText;
  if (command == "agree") return Agree(program);
  if (command == "page") return ShowPage(program, page);
  if (command == "rect") return PrintRect(program);
  if (command == "close") return Close(program);
  if (command == "click") return Step(program.Click(id), program.Failure());
  if (command == "select") return Step(program.Select(id, words[2]), program.Failure());
  if (command == "tick") {
    const int row = RowNumber(words[2].c_str());
    if (row < 0) return Failed(kUsage);
    return Step(program.CheckRow(id, row, true), program.Failure());
  }
  if (command == "text") return PrintText(program, id);
  if (command == "input") return Step(ChooseInputFile(program, page, words[2], failure), failure);
  if (command == "output") return Step(ChooseOutputFile(program, page, words[2], failure), failure);
  if (command == "cut") return Step(AddCut(program, words[1], words[2], failure), failure);
  return Step(RunJob(program, endText, failure), failure);
}

}  // namespace
}  // namespace trellimux::test

int main(int argc, char** argv) {
  return trellimux::test::Run(std::vector<std::string>(argv + 1, argv + argc));
}
