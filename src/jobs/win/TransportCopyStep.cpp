#include "jobs/win/TransportCopyStep.h"

#include <windows.h>

#include <optional>
#include <string>

#include "jobs/win/JobLog.h"
#include "jobs/win/JobSteps.h"
#include "process/win/InputFile.h"
#include "process/win/PlatformError.h"
#include "process/win/WholeFile.h"
#include "trim/TransportCopyLine.h"

namespace trellimux {
namespace {

class Piece {
 public:
  explicit Piece(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  Piece(const Piece&) = delete;
  Piece& operator=(const Piece&) = delete;
  ~Piece() {
    if (IsOpen()) CloseHandle(file_);
  }
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // 0, or the platform's error code.
  DWORD Write(std::string_view bytes) const {
    DWORD written = 0;
    if (!WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      return GetLastError();
    return written == bytes.size() ? 0 : ERROR_DISK_FULL;
  }

 private:
  HANDLE file_;
};

}  // namespace

bool RunTransportCopy(const JobDescription& job, std::string_view line, const FfmpegRun& which) {
  const std::optional<TransportCopyStep> step = ParseTransportCopyLine(line);
  if (!step) {
    Fail(job, CopyFailedText(which, "its line in the command box does not read as a copy."));
    return false;
  }
  InputFile input;
  if (!input.Open(step->inputPath)) {
    Fail(job, CopyFailedText(which, PlatformErrorText(GetLastError())));
    return false;
  }
  const Piece piece(step->outputPath);
  if (!piece.IsOpen()) {
    Fail(job, CopyFailedText(which, PlatformErrorText(GetLastError())));
    return false;
  }
  DWORD writeError = 0;
  const TransportCopyOutcome outcome = CopyTransportCut(
      [&input](std::int64_t offset, std::size_t size) { return input.ReadAt(offset, size); },
      ReadWholeFile, step->cut,
      [&](std::string_view bytes) {
        writeError = piece.Write(bytes);
        return writeError == 0 && !TakeCancelRequest(job);
      });
  if (job.results->cancelled) return true;  // the caller ends the job after this cut
  std::string reason;
  switch (outcome.failure) {
    case TransportCopyFailure::None:
      break;
    case TransportCopyFailure::Writer:
      reason = PlatformErrorText(writeError);
      break;
    case TransportCopyFailure::Tables:
      reason =
          "the input's program tables do not name its video stream. Choose \"Copy\" or "
          "\"Reencode\" for this recording.";
      break;
    case TransportCopyFailure::Piece:
      reason = "a piece that FFmpeg wrote for it cannot be read.";
      break;
    case TransportCopyFailure::Keyframe:
      reason =
          "the input has no keyframe at the byte its line names. Was the file changed since the "
          "start? Start the job again.";
      break;
  }
  if (outcome.failure != TransportCopyFailure::None) {
    Fail(job, CopyFailedText(which, reason));
    return false;
  }
  if (step->cut.video)
    AppendJobLog(job.logWindow, std::to_string(outcome.count.pictures) + " pictures copied, " +
                                    std::to_string(outcome.count.leftOut) +
                                    " leading pictures left out.");
  return true;
}

}  // namespace trellimux
