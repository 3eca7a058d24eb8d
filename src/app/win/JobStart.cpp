#include "app/win/JobStart.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConvertPage.h"
#include "app/win/JobControl.h"
#include "app/win/KeyframeLookup.h"
#include "app/win/MessageBoxes.h"
#include "app/win/SharedResources.h"
#include "app/win/StartFiles.h"
#include "app/win/TrimPage.h"
#include "cmdline/SmartCopyCommand.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "jobs/JobKind.h"
#include "jobs/ProgressParts.h"
#include "jobs/StartChecks.h"
#include "model/FixedItemLists.h"
#include "text/AsciiText.h"
#include "text/PathText.h"
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

// The outputs go into the output box's folder, named like their inputs;
// existing ones are asked about once for the whole batch.
void StartConvertBatch() {
  AppState& app = App();
  const std::vector<std::string>& inputs = app.convertBatch;
  const std::string output = ControlText(kConvertOutputBox);
  const std::optional<int> container = ListSelection(kConvertContainerList);
  const ConvertStartFacts facts{!app.convertTables.ParameterTable().Empty(), inputs.front(), output,
                                container};
  if (!Passed(CheckConvertStart(facts))) return;
  auto batch = std::make_shared<ConvertBatchJob>();
  batch->settings = ConvertBatchSettings();
  batch->folder = std::string(PathFolder(output));
  const std::string_view extension = kContainerListB[static_cast<std::size_t>(*container)];
  std::vector<std::size_t> existing;
  for (const std::string& input : inputs) {
    BatchFile file{input, BatchOutputPath(batch->folder, input, extension)};
    const bool replacesAnInput = std::any_of(inputs.begin(), inputs.end(), [&](const auto& other) {
      return EqualsIgnoringCase(other, file.output);
    });
    if (replacesAnInput) {
      file.state = BatchState::Skipped;
      file.reason = "its output would replace an input";
    } else if (GetFileAttributesA(file.output.c_str()) != INVALID_FILE_ATTRIBUTES) {
      existing.push_back(batch->files.size());
    }
    batch->files.push_back(std::move(file));
  }
  if (!existing.empty()) {
    const std::string question = ExistingOutputsQuestion(existing.size(), inputs.size());
    const MessageAnswer answer = ShowMessage(
        app.mainWindow,
        {" Confirmation", question, MessageIcon::Question, MessageButtons::YesNoCancel});
    if (answer != MessageAnswer::Yes && answer != MessageAnswer::No) return;
    if (answer == MessageAnswer::No) {
      for (const std::size_t index : existing) {
        batch->files[index].state = BatchState::Skipped;
        batch->files[index].reason = std::string(kExistingOutputSkipped);
      }
    }
  }
  StartJob({.kind = kConvertBatchJob, .batch = std::move(batch)});
}

void StartConvertJob() {
  if (App().convertBatch.size() > 1) {
    StartConvertBatch();
    return;
  }
  const std::string input = ControlText(kConvertInputBox);
  const std::string output = ControlText(kConvertOutputBox);
  const ConvertStartFacts facts{!App().convertTables.ParameterTable().Empty(), input, output,
                                ListSelection(kConvertContainerList)};
  if (!Passed(CheckConvertStart(facts)) || !ClearOutputPath(output)) return;
  StartJob({.kind = App().expertMode.convert == 1 ? kConvertExpertJob : kConvertEasyJob});
}

// What a Trim start runs, and what its progress is measured against.
struct TrimRun {
  std::string commandText;
  std::vector<JobPart> progressParts;
};

std::vector<JobPart> CutProgressParts(int concatMode) {
  return TrimProgressParts(App().cuts.Cuts(), ListSelection(kTrimCutModeList) == kReencodeCut,
                           concatMode == kDemuxerConcat || concatMode == kFileConcat);
}

// "Smart Copy" cuts are planned by the lookup, and a cut that cannot be
// made exact is named before anything runs; nothing when the user then
// does not go on.
std::optional<TrimRun> SmartCopyRun() {
  AppState& app = App();
  const SmartCopyFacts facts = LookUpSmartCopyFacts(ControlText(kTrimInputBox), app.cuts.Cuts(),
                                                    app.trimReport, app.trimTables.SourceTable());
  const SmartCopyCommand command = SmartTrimCommand(facts);
  SetControlText(kTrimCommandBox, command.text);
  const std::string note = SmartFallbackNote(command.fallbacks);
  if (!note.empty() && ShowMessage(app.mainWindow, {" Note", note, MessageIcon::Warning,
                                                    MessageButtons::YesNo}) != MessageAnswer::Yes) {
    RebuildTrimCommand();  // the next start looks up again and asks again
    return std::nullopt;
  }
  TrimRun run{command.text, {}};
  for (const LineCost& cost : command.costs)
    run.progressParts.push_back({cost.mediaSeconds, cost.weight});
  return run;
}

// "Copy" cuts begin at the keyframes the search finds and stop where it
// says, "Smart Copy" cuts as the lookup plans them, and the box shows the
// lines that run. A text edited by hand runs as it stands.
std::optional<TrimRun> TrimCommandToRun(const std::string& shown, int concatMode) {
  const std::optional<int> cutMode = ListSelection(kTrimCutModeList);
  if (!cutMode || !CopiesCuts(*cutMode) || shown != TrimCommandText()) {
    // Parts a cut match the lines only while each cut has one line.
    const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(shown);
    const bool lineACut = std::all_of(blocks.begin(), blocks.end(),
                                      [](const auto& block) { return block.size() == 1; });
    return TrimRun{shown, lineACut ? CutProgressParts(concatMode) : std::vector<JobPart>()};
  }
  if (*cutMode == kSmartCopyCut) return SmartCopyRun();
  const std::string text =
      TrimCommandText(LookUpCopyCutTimes(ControlText(kTrimInputBox), App().cuts.Cuts()));
  SetControlText(kTrimCommandBox, text);
  return TrimRun{text, CutProgressParts(concatMode)};
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
  if (!Passed(CheckTrimStart(facts))) return;
  // The lookup and its note come before anything on disk changes.
  std::optional<TrimRun> run = TrimCommandToRun(command, concatMode.value_or(kNoConcatMode));
  if (!run || !ClearOutputPath(output)) return;
  const std::string& tempDir = Resources().tempDir;
  if (!EmptyTemporaryFolder(tempDir)) return;
  if (!Passed(CheckTrimConcatMode(concatMode, app.cuts.Size()))) return;
  const JobDescription job{.kind = kTrimJob,
                           .commandText = std::move(run->commandText),
                           .outputPath = output,
                           .cutFilePaths = CutFilePaths(tempDir, app.cuts.Size(), output),
                           .trimConcatMode = *concatMode,
                           .progressParts = std::move(run->progressParts)};
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
