// The Concat page's ffmpeg line for its concat mode, and the text of the
// concat demuxer's list file (used by the Trim page's join too).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr std::string_view kConcatModePrompt =
    "Be so kind and select a Concat Mode from the drop down box.";
inline constexpr std::string_view kWindowsFileJoinNote =
    " Concatenating media files using Windows functions.";
inline constexpr MessageRequest kConcatCommandError{" Error", "Error building FFmpeg command line.",
                                                    MessageIcon::Warning, MessageButtons::Ok};

// Concat mode entries of both pages' mode lists.
enum ConcatModeItem : int {
  kNoConcatMode = 0,
  kDemuxerConcat = 1,
  kFileConcat = 2,
  kWindowsFileConcat = 3,
  kCutOnly = 4,  // the Trim page only
};

// The page's state; nullopt stands for a list without a selection.
struct ConcatCommandInput {
  std::span<const std::string> inputs;
  // Bytes left out at each input's start in "FFmpeg File" mode (the seams
  // of MPEG-TS parts); empty, or 0 for an input read whole.
  std::span<const std::int64_t> inputStarts;
  std::optional<int> concatMode;
  std::optional<int> streamSelection;
  std::optional<int> subtitles;
  std::optional<int> data;
  std::string_view startDirectory;  // where the demuxer's files.txt lies
  std::string_view outputPath;
};

enum class ConcatCommandOutcome {
  Replace,   // the box's whole text becomes `text` (possibly empty)
  KeepBox,   // no concat mode selected: the box keeps its text
  Error,     // an option list without a valid selection: kConcatCommandError
};

struct ConcatCommand {
  ConcatCommandOutcome outcome;
  std::string text;
};

// Grows without a ceiling; paths are never cut.
ConcatCommand BuildConcatCommand(const ConcatCommandInput& input);

// One line "file '<path>'" + CR LF per path, in order. A single quote in a
// path is written '\'' so that ffmpeg reads the same path back.
std::string ConcatListFileText(std::span<const std::string> paths);

// The demuxer's list file in `folder`: folder, a backslash unless it ends in
// one, "files.txt".
std::string ConcatListFilePath(std::string_view folder);

}  // namespace trellimux
