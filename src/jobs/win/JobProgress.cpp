#include "jobs/win/JobProgress.h"

#include <chrono>

#include "concat/ConcatCommand.h"
#include "jobs/JobKind.h"
#include "jobs/win/JobRunner.h"

namespace trellimux {
namespace {

// The window is told at most this often.
constexpr std::chrono::milliseconds kReportInterval{250};

}  // namespace

JobProgress::JobProgress(const JobDescription& job, std::vector<JobPart> parts) : job_(job) {
  if (parts.empty()) return;
  lastIsJoin_ = job.kind == kTrimJob &&
                (job.trimConcatMode == kDemuxerConcat || job.trimConcatMode == kFileConcat);
  estimate_.emplace(std::move(parts), Clock::now());
}

void JobProgress::StartRun(const FfmpegRun& which, std::optional<std::size_t> given) {
  if (!estimate_) return;
  reader_ = {};
  std::size_t part = 0;
  if (which.kind == FfmpegRun::kCut) part = which.cut - 1;
  if (which.kind == FfmpegRun::kJoin) part = estimate_->PartCount() - 1;
  if (given) part = *given;
  run_ = which;
  const Clock::time_point now = Clock::now();
  estimate_->StartPart(part, now);
  // The first part shows a share from its first position on.
  if (part > 0) Report(now, true);
}

void JobProgress::Read(std::string_view output) {
  if (!estimate_ || !reader_.Add(output) || !reader_.Position()) return;
  const Clock::time_point now = Clock::now();
  estimate_->Reached(*reader_.Position(), now);
  Report(now, false);
}

// A Trim job's runs are its cuts and its join, though a cut may have parts
// of its own (the lines of a Smart Copy cut).
std::size_t JobProgress::RunIndex() const {
  if (job_.kind != kTrimJob) return estimate_->PartIndex();
  return run_.kind == FfmpegRun::kJoin ? job_.cutFilePaths.size() : run_.cut - 1;
}

std::size_t JobProgress::RunCount() const {
  if (job_.kind != kTrimJob) return estimate_->PartCount();
  return job_.cutFilePaths.size() + (lastIsJoin_ ? 1 : 0);
}

void JobProgress::Report(Clock::time_point now, bool nowOrNever) {
  // Once a stop is under way the frame says so, and the share means little.
  if (job_.results->cancelled) return;
  if (!nowOrNever && sent_ && now - sentAt_ < kReportInterval) return;
  const std::optional<std::chrono::seconds> left = estimate_->Left(now);
  const ProgressUpdate update{.permille = static_cast<int>(estimate_->Fraction() * kProgressRange),
                              .part = static_cast<int>(RunIndex()),
                              .parts = static_cast<int>(RunCount()),
                              .lastIsJoin = lastIsJoin_,
                              .files = job_.kind == kConvertBatchJob,
                              .secondsLeft = left ? static_cast<int>(left->count()) : -1};
  if (sent_ == update) return;
  const auto [first, second] = PackProgress(update);
  PostMessageA(job_.mainWindow, kJobProgressMessage, first, second);
  sent_ = update;
  sentAt_ = now;
}

}  // namespace trellimux
