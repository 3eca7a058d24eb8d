// What "Start" checks on each task page before anything on disk changes:
// the checks run in a fixed order and the first problem refuses the start
// with its message. The overwrite question, the deletion and the files a job
// needs follow in the window (they touch the disk).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "concat/ConcatCommand.h"
#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr MessageRequest kEmptyInputListNote{
    " Note", "You should add one ore more media files to the list.", MessageIcon::Warning,
    MessageButtons::Ok};
inline constexpr std::string_view kOutputIsAnInputText =
    "It is not allowed to select a output filename which is listed as a input file.";
inline constexpr MessageRequest kEmptyCommandError{
    " Error", "FFmpeg command line error, maybe empty.", MessageIcon::Warning, MessageButtons::Ok};
// Concat and Trim: no usable output path, or the path names a folder.
inline constexpr MessageRequest kJoinOutputPathNote{
    " Note", "Please provide a valid path and output filename for the connected media files.",
    MessageIcon::Warning, MessageButtons::Ok};
inline constexpr MessageRequest kConvertOutputPathError{
    " Error", "Please choose a valid path and output filename.", MessageIcon::Warning,
    MessageButtons::Ok};
inline constexpr MessageRequest kNoConvertInputNote{
    " Note", "Babe, you should select a valid input file to convert...", MessageIcon::Warning,
    MessageButtons::Ok};
inline constexpr MessageRequest kNoContainerError{
    " Error", "Select a file extension (container) for the converted file.", MessageIcon::Warning,
    MessageButtons::Ok};
inline constexpr MessageRequest kSelectConcatModeNote{" Note", kConcatModePrompt,
                                                      MessageIcon::Warning, MessageButtons::Ok};
inline constexpr MessageRequest kOverwriteQuestion{
    " Warning", "File already exits.\r\nOverwrite existing file?", MessageIcon::Question,
    MessageButtons::YesNo};
// "FFmpeg File" or "Windows File" with files that lose all but their first
// part when joined byte by byte.
inline constexpr MessageRequest kByteJoinQuestion{
    " Warning",
    "Files of this type cannot be joined byte by byte: the joined file would play only the "
    "first part.\r\nThe concat mode \"FFmpeg Demuxer\" joins them whole.\r\n\r\n"
    "Join them byte by byte anyway?",
    MessageIcon::Warning, MessageButtons::YesNo};
inline constexpr MessageRequest kTempDirNotEmptiedNote{
    " Note", "Deleting Files in temporary directory fails.", MessageIcon::Warning,
    MessageButtons::Ok};

// The outcome of a group of checks: go on, a refusal with its message, a
// question whose Yes goes on, or an end without any message.
struct StartCheck {
  enum Outcome { kGoOn, kRefused, kAsk, kEndSilently };
  Outcome outcome = kGoOn;
  MessageRequest message{};

  static StartCheck GoOn() { return {}; }
  static StartCheck Refuse(const MessageRequest& message) { return {kRefused, message}; }
  static StartCheck Ask(const MessageRequest& question) { return {kAsk, question}; }
  static StartCheck EndSilently() { return {kEndSilently, {}}; }
};

// True when the output equals one of the inputs as text, ignoring ASCII case;
// paths are not normalised.
bool OutputIsAnInput(std::string_view output, std::span<const std::string> inputs);

// A usable output path names a folder: it contains ":" or "\".
bool HasFolderPart(std::string_view path);

struct ConcatStartFacts {
  int concatMode = 0;  // ConcatModeItem 1, 2 or 3
  std::span<const std::string> inputs;
  std::string_view outputPath;
  bool commandEmpty = false;    // the command box; not read by "Windows File"
  bool outputIsFolder = false;  // the output path names an existing folder
};

// Up to the overwrite question; the last check asks before a byte join of
// inputs that would play only their first part.
StartCheck CheckConcatStart(const ConcatStartFacts& facts);

struct ConvertStartFacts {
  bool hasStreams = false;  // the output parameter table has rows
  std::string_view inputPath;
  std::string_view outputPath;
  std::optional<int> container;  // selection of container list B
};

// Up to the overwrite question (which the Convert page asks for any
// existing path, folders included).
StartCheck CheckConvertStart(const ConvertStartFacts& facts);

struct TrimStartFacts {
  bool hasStreams = false;  // the source table has rows
  bool commandEmpty = false;
  std::string_view inputPath;
  std::string_view outputPath;
  bool outputIsFolder = false;
  int concatMode = 0;  // ConcatModeItem of list B; no selection counts as 0
};

// Up to the overwrite question. An output equal to the input is refused as
// on the Convert page: after Yes to the question it would be deleted before
// it was cut. The last check asks before a byte join of cut files (they take
// the output's container) that would play only their first part.
StartCheck CheckTrimStart(const TrimStartFacts& facts);

// After the temporary folder was emptied: the Trim concat mode decides
// whether the start goes on (and whether the cut list file is needed).
StartCheck CheckTrimConcatMode(std::optional<int> concatMode, std::size_t cutCount);

}  // namespace trellimux
