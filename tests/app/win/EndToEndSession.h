// The frame of the end-to-end tests: one trellimux.exe per test suite,
// started in the tools folder and agreed to, driven through its windows as a
// user does it: file dialogs, buttons, lists, boxes, the log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Pages.h"
#include "app/win/EndToEndMedia.h"
#include "app/win/ProgramDriver.h"

namespace trellimux::test {

inline constexpr std::string_view kInputDialogTitle = " Select input file";
inline constexpr std::string_view kOutputDialogTitle = " Select output file";
// A job under Wine: generous, the clips are small.
inline constexpr DWORD kJobTimeoutMs = 60000;

inline constexpr std::string_view kDoneCaption = "Information";
inline constexpr std::string_view kDoneText = "Job done, check the log data.";
inline constexpr std::string_view kOverwriteQuestion =
    "File already exits.\r\nOverwrite existing file?";
inline constexpr std::string_view kOutputIsInputText =
    "It is not allowed to select a output filename which is listed as a input file.";
inline constexpr std::string_view kNoInputsText =
    "You should add one ore more media files to the list.";
inline constexpr std::string_view kNoConcatModeText =
    "Be so kind and select a Concat Mode from the drop down box.";
inline constexpr std::string_view kJoinPathText =
    "Please provide a valid path and output filename for the connected media files.";
inline constexpr std::string_view kNothingToPlayText = "Select a media file to play.";
inline constexpr std::string_view kCanceledCaption = " Warning";
inline constexpr std::string_view kCanceledText = "Job canceled!";

// A cut time as the Trim page's fields hold it.
struct CutTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  std::string Text() const;  // "HH:MM:SS.mmm"
  double Seconds() const;
};

// The ffmpeg.exe children of a process that are still running; -1 when
// the processes cannot be listed.
int RunningFfmpegChildren(DWORD parent);

class EndToEndTest : public ::testing::Test {
 protected:
  // Closes the suite's program.
  static void TearDownTestSuite();

  // Starts the program if none runs (or the last one ended), clears boxes
  // left by a failed test and shows `page`.
  void SetUpProgram(Page page);
  void TearDown() override;

  static ProgramDriver& Program();

  // Fails the test with the driver's last failure when `done` is false.
  static ::testing::AssertionResult Done(bool done);

  // "Add"/"Input" and "Output" with their dialogs.
  void ChooseInput(int buttonId, const std::string& path);
  void ChooseOutput(int buttonId, const std::string& path);

  // The " Confirmation" box that offers the other parts of a recording after
  // a Concat "Add", its text kept in `text`, answered with a button.
  void AnswerPartsQuestion(int buttonId, std::string* text = nullptr);

  // Presses "Start" and reads the first box that follows.
  void PressStart(ShownBox& box);
  // Presses "Start", which must ask before overwriting, answers No and
  // expects the program idle, no job started.
  void DeclineOverwrite();
  // Clicks a button that must answer with a box of this caption and text,
  // answered with OK.
  void ExpectBox(int buttonId, std::string_view caption, std::string_view text);
  // Clicks a button that must do nothing visible: no box, no job.
  void ExpectNothingShown(int buttonId);

  // Presses "Start" and expects a refusal with this caption and text,
  // answered with OK; the program stays idle.
  void ExpectRefusal(std::string_view caption, std::string_view text);
  // Answers a box with a button and waits until it has gone.
  void Answer(const ShownBox& box, int buttonId);
  // Waits for the box that ends a job, answers it with OK, waits until the
  // program is idle, keeps the log's text and closes the log window.
  void FinishJob(ShownBox& box, std::string& log);
  // A job that must end with "Job done": Start, (Yes to the overwrite
  // question when `overwrite`), the done box.
  void RunJob(std::string& log, bool overwrite = false);

  // Edit mode on, and " -re" before the first input of each of the command
  // box's first `lines` lines (all when 0): ffmpeg then reads its input in
  // real time, so a job runs long enough to be watched or cancelled.
  void MakeRealTime(int editButton, int editLamp, int commandBox, std::size_t lines = 0);

  // Presses "Start" (posted, as the job may run long) and waits for ffmpeg's
  // first status line; fails when a box came instead.
  void StartAndWaitForProgress();

  // The Convert or Trim input's probe: the input dialog, then the done box.
  void ChooseProbedInput(int buttonId, const std::string& path);

  // The Trim page's time fields and "Add".
  void AddCut(const CutTime& in, const CutTime& out);

  // No box stays open and the program is idle.
  void ExpectIdleWithoutBox();

  // Switches a page's expert mode on or off with its button, unless it is
  // already so; the lamp shows it afterwards.
  void SetExpertMode(int buttonId, int lampId, bool on);

  // The lines of a command box's text (split at CR LF).
  static std::vector<std::string> Lines(const std::string& text);

 private:
  static std::unique_ptr<ProgramDriver> program_;
};

}  // namespace trellimux::test
