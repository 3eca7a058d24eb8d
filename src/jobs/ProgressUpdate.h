// One progress report from the job runner to the window, carried by the
// two parameters of the job-progress message, and the caption it gives.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace trellimux {

// The job-progress message: the job-done message's number plus one.
inline constexpr unsigned kJobProgressMessage = 1281;

// The bar's range while a share is shown.
inline constexpr int kProgressRange = 1000;

struct ProgressUpdate {
  int permille = 0;        // the job's share done, 0 to kProgressRange
  int part = 0;            // the running part, from 0
  int parts = 1;           // how many the job has
  bool lastIsJoin = false;  // the last part joins the ones before (Trim)
  bool files = false;       // the parts are the files of a batch
  int secondsLeft = -1;    // -1 while unknown

  bool operator==(const ProgressUpdate&) const = default;
};

// The message's two parameters: the share and the parts in the first, the
// time left in the second.
std::pair<std::uint32_t, std::int32_t> PackProgress(const ProgressUpdate& update);
ProgressUpdate UnpackProgress(std::uint32_t first, std::int32_t second);

// The "Progress" frame's caption for the update.
std::string ProgressCaptionOf(const ProgressUpdate& update);

}  // namespace trellimux
