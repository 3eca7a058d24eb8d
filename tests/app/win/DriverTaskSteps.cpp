#include "app/win/DriverTaskSteps.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/ProgramControls.h"

namespace trellimux::test {
namespace {

constexpr char kInputDialog[] = " Select input file";
constexpr char kOutputDialog[] = " Select output file";
constexpr char kJobDone[] = "Job done, check the log data.";
constexpr char kOverwrite[] = "File already exits.\r\nOverwrite existing file?";
// A probe or a short job under Wine.
constexpr DWORD kJobTimeoutMs = 120000;

struct PageFiles {
  int input;
  int output;
};

// The input and output buttons of page 1 Concat, 2 Convert and 3 Trim.
std::optional<PageFiles> FileButtons(int page) {
  switch (page) {
    case 1:
      return PageFiles{kConcatAddButton, kConcatOutputButton};
    case 2:
      return PageFiles{kConvertInputButton, kConvertOutputButton};
    case 3:
      return PageFiles{kTrimInputButton, kTrimOutputButton};
    default:
      return std::nullopt;
  }
}

// The offer of a recording's other parts comes at once after the dialog.
constexpr DWORD kPartsQuestionWaitMs = 1000;

bool Failed(std::string& failure, const std::string& reason) {
  failure = reason;
  return false;
}

bool ChooseFile(ProgramDriver& program, int button, const char* dialog, const std::string& path,
                std::string& failure) {
  if (!program.PostClick(button) || !program.FillFileDialog(dialog, path, kStepTimeoutMs))
    return Failed(failure, program.Failure());
  // The page has taken the path once the main window answers again.
  if (!SendWait(program.MainWindow(), WM_NULL, 0, 0))
    return Failed(failure, "the main window did not answer after the file dialog");
  return true;
}

// Waits for the box that ends a job or probe, answers it with OK and waits
// until the program is idle; the log window is left as the job left it.
bool FinishJob(ProgramDriver& program, std::string& endText, std::string& failure) {
  std::optional<ShownBox> box = program.WaitForMessageBox(kJobTimeoutMs);
  if (!box) return Failed(failure, program.Failure());
  if (box->text == kOverwrite) {
    if (!program.AnswerDialog(box->window, IDYES, kStepTimeoutMs))
      return Failed(failure, program.Failure());
    box = program.WaitForMessageBox(kJobTimeoutMs);
    if (!box) return Failed(failure, program.Failure());
  }
  endText = box->text;
  if (!program.AnswerDialog(box->window, IDOK, kStepTimeoutMs) ||
      !program.WaitUntilIdle(kStepTimeoutMs))
    return Failed(failure, program.Failure());
  if (endText != kJobDone)
    return Failed(failure, "the job ended with \"" + box->caption + "\": " + endText);
  return true;
}

// "HH:MM:SS.mmm" as its four numbers.
bool ParseCutTime(const std::string& text, int (&parts)[4]) {
  int used = 0;
  return std::sscanf(text.c_str(), "%2d:%2d:%2d.%3d%n", &parts[0], &parts[1], &parts[2], &parts[3],
                     &used) == 4 &&
         used == static_cast<int>(text.size());
}

}  // namespace

bool ChooseInputFile(ProgramDriver& program, int page, const std::string& path,
                     std::string& failure) {
  const std::optional<PageFiles> buttons = FileButtons(page);
  if (!buttons) return Failed(failure, "page " + std::to_string(page) + " has no input");
  if (!ChooseFile(program, buttons->input, kInputDialog, path, failure)) return false;
  if (page == 1) {
    // Concat lists the file, nothing is probed; a part of a recording
    // brings its other parts.
    const std::optional<ShownBox> box = program.WaitForMessageBox(kPartsQuestionWaitMs);
    if (!box || box->caption != " Confirmation") return true;
    return (program.AnswerDialog(box->window, IDYES, kStepTimeoutMs) &&
            SendWait(program.MainWindow(), WM_NULL, 0, 0)) ||
           Failed(failure, program.Failure());
  }
  std::string endText;
  if (!FinishJob(program, endText, failure)) return Failed(failure, "probe: " + failure);
  return program.CloseLogWindow() || Failed(failure, program.Failure());
}

bool ChooseOutputFile(ProgramDriver& program, int page, const std::string& path,
                      std::string& failure) {
  const std::optional<PageFiles> buttons = FileButtons(page);
  if (!buttons) return Failed(failure, "page " + std::to_string(page) + " has no output");
  return ChooseFile(program, buttons->output, kOutputDialog, path, failure);
}

bool AddCut(ProgramDriver& program, const std::string& in, const std::string& out,
            std::string& failure) {
  int from[4], to[4];
  if (!ParseCutTime(in, from) || !ParseCutTime(out, to))
    return Failed(failure, "cut times are written HH:MM:SS.mmm");
  const bool done = program.SetPickerTime(kCutInTime, from[0], from[1], from[2]) &&
                    program.SetMilliseconds(kCutInMilliseconds, kCutInSpinner, from[3]) &&
                    program.SetPickerTime(kCutOutTime, to[0], to[1], to[2]) &&
                    program.SetMilliseconds(kCutOutMilliseconds, kCutOutSpinner, to[3]) &&
                    program.Click(kCutAddButton);
  return done || Failed(failure, program.Failure());
}

bool RunJob(ProgramDriver& program, std::string& endText, std::string& failure) {
  if (program.IsBusy()) return Failed(failure, "\"Start\" is disabled");
  if (!program.PostClick(kStartButton)) return Failed(failure, program.Failure());
  return FinishJob(program, endText, failure);
}

bool FileVersionText(const std::string& file, std::string& version, std::string& failure) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return Failed(failure, file + " has no version record");
  std::vector<char> record(size);
  char* text = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(file.c_str(), 0, size, record.data()) ||
      !VerQueryValueA(record.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                      reinterpret_cast<void**>(&text), &length) ||
      length == 0)
    return Failed(failure, file + " has no file version text");
  version.assign(text, strnlen(text, length));
  return true;
}

}  // namespace trellimux::test
