// trellimux_driver: drives the running trellimux.exe for scripts, one step per
// call. Exit code 0 when the step is done, 1 with a message otherwise.
//   trellimux_driver agree      answer the agreement box with Yes and wait
//                               until the main window shows
//   trellimux_driver page N     show page N (0 Information, 1 Concat,
//                               2 Convert, 3 Trim) and wait until it is painted
//   trellimux_driver rect       print the main window's rectangle: x y w h
//   trellimux_driver close      close the program and wait until it is gone
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/win/ProgramDriver.h"

namespace trellimux::test {
namespace {

constexpr char kUsage[] = "usage: trellimux_driver agree | page 0..3 | rect | close";

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

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const bool known =
      command == "agree" || command == "page" || command == "rect" || command == "close";
  if (!known || argc != (command == "page" ? 3 : 2)) return Failed(kUsage);
  const int page = command == "page" ? PageNumber(argv[2]) : 0;
  if (page < 0) return Failed(kUsage);

  ProgramDriver program;
  if (!program.Attach(kStartTimeoutMs)) return Failed(program.Failure());
  if (command == "agree") return Agree(program);
  if (command == "page") return ShowPage(program, page);
  if (command == "rect") return PrintRect(program);
  return Close(program);
}

}  // namespace
}  // namespace trellimux::test

int main(int argc, char** argv) { return trellimux::test::Run(argc, argv); }
