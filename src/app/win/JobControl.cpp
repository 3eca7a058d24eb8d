#include "app/win/JobControl.h"

#include <algorithm>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConvertPage.h"
#include "app/win/MessageBoxes.h"
#include "app/win/PageView.h"
#include "app/win/ProgressIndicator.h"
#include "app/win/SharedResources.h"
#include "app/win/StreamTableView.h"
#include "app/win/TrimPage.h"
#include "app/win/TrimPreview.h"
#include "jobs/JobCompletion.h"
#include "jobs/JobKind.h"
#include "jobs/ProgressParts.h"
#include "jobs/win/JobLog.h"
#include "probe/ProbedDuration.h"

namespace trellimux {
namespace {

int CommandBoxOf(int kind) { return kind == kConcatJob ? kConcatCommandBox : kConvertCommandBox; }
int OutputBoxOf(int kind) { return kind == kConcatJob ? kConcatOutputBox : kConvertOutputBox; }

void ClearPageTables(Page page) {
  const PageTableLists lists = *TablesOfPage(page);
  lists.tables.ClearTables();
  ShowPageTables(lists);
}

// The first `size` bytes of the last probe's report: one page's part.
std::string_view ProbeReportOf(std::size_t size) {
  const std::string& report = App().jobResults.report;
  return {report.data(), std::min(size, report.size())};
}

// Loads the page's part of the probe report into its tables; a report that
// cannot be parsed is reported and leaves them empty.
void LoadReport(Page page, std::size_t reportSize) {
  AppState& app = App();
  const PageTableLists lists = *TablesOfPage(page);
  app.populatingTable = 1;
  const std::string_view report = ProbeReportOf(reportSize);
  if (const std::optional<ProbeFailure> failure = lists.tables.LoadProbeReport(report)) {
    ShowMessage(app.mainWindow,
                {" Error", ProbeFailureText(*failure), MessageIcon::Error, MessageButtons::Ok});
  }
  ShowPageTables(lists);
  app.populatingTable = 0;
}

void Finish(const MessageRequest& box) {
  StopProgressIndicator();
  ShowMessage(App().mainWindow, box);
  SetIdle();
  App().jobKind = kNoJob;
}

}  // namespace

void StartJob(JobDescription job) {
  AppState& app = App();
  job.toolDirectory = Resources().startDirectory;
  if (IsSingleRunJob(job.kind)) {
    job.commandText = ControlText(CommandBoxOf(job.kind));
    job.outputPath = ControlText(OutputBoxOf(job.kind));
  }
  if (IsSingleRunJob(job.kind) && job.kind != kConcatJob) {
    job.progressParts =
        ConvertProgressParts(ProbedDuration(ProbeReportOf(app.jobResults.convertReportSize)),
                             ConvertStartSeconds(), ConvertEndSeconds());
  }
  job.mainWindow = app.mainWindow;
  job.logWindow = app.logWindow;
  job.progressBar = Control(kProgressBar);
  job.progressFrame = Control(kProgressFrame);
  job.jobKind = &app.jobKind;
  job.cancelRequested = &app.cancelRequested;
  job.results = &app.jobResults;
  // A Trim job reads the preview's input, and any job may read or replace
  // it: the preview stops its children and its listing ahead until the
  // next slider move.
  PauseTrimPreview();
  SetBusy();
  if (job.kind == kConcatByteCopyJob) {
    PrepareSmoothProgress();
  } else {
    StartProgressIndicator();
  }
  app.jobKind = job.kind;
  StartJobThread(job);
}

void StartConvertProbe(const std::string& inputPath) {
  SetControlText(kConvertInputBox, inputPath);
  ClearPageTables(Page::Convert);
  ResetEasyStreamLists();
  OnConvertContainerChange();  // with no streams it empties the command box
  StartJob({.kind = kConvertProbeJob, .inputPath = inputPath});
}

void StartTrimProbe(const std::string& inputPath) {
  SetControlText(kTrimInputBox, inputPath);
  ResetTrimPreview();
  ClearPageTables(Page::Trim);
  RebuildTrimCommand();  // with no streams it empties the command box
  StartJob({.kind = kTrimProbeJob, .inputPath = inputPath});
}

void OnJobProgress(std::uint32_t first, std::int32_t second) {
  if (App().jobKind == kNoJob) return;
  ShowJobShare(UnpackProgress(first, second));
}

void OnJobDone() {
  AppState& app = App();
  if (app.closeWhenJobEnds) {
    StopProgressIndicator();
    SetIdle();
    app.jobKind = kNoJob;
    PostMessageA(app.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  switch (CompletionFor(app.jobKind, app.jobResults.cancelled)) {
    case Completion::Canceled:
      Finish(kJobCanceledBox);
      break;
    case Completion::Failed:
      Finish(JobFailedBox(app.jobResults.errorText));
      break;
    case Completion::Done:
      Finish(kJobDoneBox);
      break;
    case Completion::ConvertProbeDone:
      LoadReport(Page::Convert, app.jobResults.convertReportSize);
      SetControlText(kConvertOutputBox, "");
      OnConvertContainerChange();
      if (app.convertBatch.size() > 1)
        AppendJobLog(app.logWindow, BatchChosenText(app.convertBatch));
      Finish(kJobDoneBox);
      break;
    case Completion::TrimProbeDone:
      LoadReport(Page::Trim, app.jobResults.trimReportSize);
      app.trimReport = ProbeReportOf(app.jobResults.trimReportSize);
      RebuildTrimCommand();
      StartTrimPreview(ProbeReportOf(app.jobResults.trimReportSize), ControlText(kTrimInputBox));
      Finish(kJobDoneBox);
      break;
    case Completion::BatchDone:
      Finish(BatchSummaryBox(app.jobResults.batchFiles, app.jobResults.batchSummary));
      break;
    case Completion::Nothing:
      break;
  }
}

bool StopTheRestOfTheBatch() {
  AppState& app = App();
  return app.closeWhenJobEnds ||
         ShowMessage(app.mainWindow, kStopTheRestQuestion) == MessageAnswer::Yes;
}

bool MayCloseNow() {
  AppState& app = App();
  if (app.jobKind == kNoJob) return true;
  if (ShowMessage(app.mainWindow, kCloseDuringJobQuestion) != MessageAnswer::Yes) return false;
  if (app.jobKind == kNoJob) return true;  // it ended while the question was open
  app.cancelRequested = 1;
  app.closeWhenJobEnds = true;
  return false;
}

}  // namespace trellimux
