#include "app/win/JobStart.h"

#include <optional>
#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/JobControl.h"
#include "app/win/KeyframeLookup.h"
#include "app/win/MessageBoxes.h"
#include "app/win/SharedResources.h"
#include "app/win/StartFiles.h"
#include "app/win/TrimPage.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "jobs/JobKind.h"
#include "jobs/ProgressParts.h"
#include "jobs/StartChecks.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

// False when the checks ended the start, after showing a refusal or a
// question not answered with Yes.
bool Passed(const StartCheck& check) {
  if (check.outcome == StartCheck::kAsk)
    return ShowMessage(App().mainWindow, check.message) == MessageAnswer::Yes;
  if (check.outcome == StartCheck::kRefused) ShowMessage(App().mainWindow, check.message);
  return check.outcome == StartCheck::kGoOn;
}

void StartConcatJob() {
  const std::optional<int> mode = ListSelection(kConcatModeList);
  if (!mode || *mode > kWindowsFileConcat) return;
  if (*mode == kNoConcatMode) {
    ShowMessage(App().mainWindow, kSelectConcatModeNote);
    return;
  }
  const std::vector<std::string>& inputs = App().concatInputs.Paths();
  const std::string output = ControlText(kConcatOutputBox);
  const ConcatStartFacts facts{*mode, inputs, output, ControlText(kConcatCommandBox).empty(),
                               PathIsFolder(output)};
  if (!Passed(CheckConcatStart(facts)) || !ClearOutputPath(output)) return;
  if (*mode == kWindowsFileConcat) {
    StartJob({.kind = kConcatByteCopyJob, .outputPath = output, .inputPaths = inputs});
    return;
  }
  if (*mode == kDemuxerConcat &&
      !WriteListFile(ConcatListFilePath(Resources().startDirectory), ConcatListFileText(inputs)))
    return;
  // The runner probes the inputs' lengths for the job's progress.
  StartJob({.kind = kConcatJob, .inputPaths = inputs});
}

void StartConvertJob() {
  const std::string input = ControlText(kConvertInputBox);
  const std::string output = ControlText(kConvertOutputBox);
  const ConvertStartFacts facts{!App().convertTables.ParameterTable().Empty(), input, output,
                                ListSelection(kConvertContainerList)};
  if (!Passed(CheckConvertStart(facts)) || !ClearOutputPath(output)) return;
  StartJob({.kind = App().expertMode.convert == 1 ? kConvertExpertJob : kConvertEasyJob});
}

// "Copy" cuts begin at the keyframes the search finds and stop where it
// says, and the box shows the lines that run. A text edited by hand runs as
// it stands.
std::string TrimCommandToRun(const std::string& shown) {
  if (ListSelection(kTrimCutModeList) != kCopyCut || shown != TrimCommandText()) return shown;
  const std::string text =
      TrimCommandText(LookUpCopyCutTimes(ControlText(kTrimInputBox), App().cuts.Cuts()));
  SetControlText(kTrimCommandBox, text);
  return text;
}

void StartTrimJob() {
  AppState& app = App();
  const std::string input = ControlText(kTrimInputBox);
  const std::string output = ControlText(kTrimOutputBox);
  const std::string command = ControlText(kTrimCommandBox);
  const std::optional<int> concatMode = ListSelection(kTrimConcatModeList);
  const TrimStartFacts facts{
      !app.trimTables.SourceTable().Empty(), command.empty(), input, output, PathIsFolder(output),
      concatMode.value_or(kNoConcatMode)};
  if (!Passed(CheckTrimStart(facts)) || !ClearOutputPath(output)) return;
  const std::string& tempDir = Resources().tempDir;
  if (!EmptyTemporaryFolder(tempDir)) return;
  if (!Passed(CheckTrimConcatMode(concatMode, app.cuts.Size()))) return;
  const JobDescription job{.kind = kTrimJob,
                           .commandText = TrimCommandToRun(command),
                           .outputPath = output,
                           .cutFilePaths = CutFilePaths(tempDir, app.cuts.Size(), output),
                           .trimConcatMode = *concatMode,
                           .progressParts = TrimProgressParts(
                               app.cuts.Cuts(), ListSelection(kTrimCutModeList) == kReencodeCut,
                               *concatMode == kDemuxerConcat || *concatMode == kFileConcat)};
  if (*concatMode == kDemuxerConcat &&
      !WriteListFile(ConcatListFilePath(tempDir), ConcatListFileText(job.cutFilePaths)))
    return;
  StartJob(job);
}

}  // namespace

void StartPageJob(Page page) {
  switch (page) {
    case Page::Concat:
      StartConcatJob();
      break;
    case Page::Convert:
      StartConvertJob();
      break;
    case Page::Trim:
      StartTrimJob();
      break;
    default:
      break;
  }
}

}  // namespace trellimux
