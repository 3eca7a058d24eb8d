#include "jobs/win/ParameterSetStep.h"

#include <windows.h>

#include <optional>
#include <string>

#include "jobs/win/JobSteps.h"
#include "mp4/ParameterSetLine.h"
#include "process/win/InputFile.h"
#include "process/win/PlatformError.h"
#include "process/win/WholeFile.h"
#include "trim/MovieCutSets.h"

namespace trellimux {

bool RunParameterSetStep(const JobDescription& job, std::string_view line, const FfmpegRun& which) {
  const std::optional<ParameterSetStep> step = ParseParameterSetLine(line);
  if (!step) {
    Fail(job, CopyFailedText(which, "its line in the command box does not read as a step."));
    return false;
  }
  InputFile source, cut;
  if (!source.Open(step->inputPath) || !cut.Open(step->cutPath)) {
    Fail(job, CopyFailedText(which, PlatformErrorText(GetLastError())));
    return false;
  }
  const std::optional<MovieBox> movie = CutMovieWithAllSets(
      [&source](std::int64_t offset, std::size_t size) { return source.ReadAt(offset, size); },
      ReadWholeFile, step->pieces,
      [&cut](std::int64_t offset, std::size_t size) { return cut.ReadAt(offset, size); });
  cut.Close();
  if (!movie) {
    Fail(job, CopyFailedText(which,
                             "the H.264 settings of the input or of the cut's file could not be "
                             "read. Choose \"Copy\" or \"Reencode\" for this file."));
    return false;
  }
  const HANDLE file = CreateFileA(step->cutPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER at;
  at.QuadPart = movie->offset;
  DWORD written = 0;
  const bool wrote = file != INVALID_HANDLE_VALUE &&
                     SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                     WriteFile(file, movie->bytes.data(), static_cast<DWORD>(movie->bytes.size()),
                               &written, nullptr) &&
                     written == movie->bytes.size();
  const DWORD error = wrote ? 0 : GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!wrote) {
    Fail(job, CopyFailedText(which, PlatformErrorText(error ? error : ERROR_DISK_FULL)));
    return false;
  }
  return true;
}

}  // namespace trellimux
