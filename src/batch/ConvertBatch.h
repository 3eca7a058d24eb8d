// A batch of conversions: several inputs converted one after the other with
// the Convert page's settings, each into the output folder under its own
// name with the container's extension. Each output is written under a
// temporary name beside its final one and renamed only once ffmpeg ended
// well, so that the final name never holds an incomplete file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cmdline/EasyModeLists.h"
#include "model/MessageRequest.h"
#include "params/StreamTable.h"
#include "text/CommandText.h"

namespace trellimux {

enum class BatchState { Waiting, Running, Done, Failed, Skipped, Cancelled };

struct BatchFile {
  std::string input;
  std::string output;  // the final name
  BatchState state = BatchState::Waiting;
  std::string reason;          // failed or skipped: why; ffmpeg's words where it said
  bool keptTemporary = false;  // failed or cancelled with its temporary file left
};

// What every file of the batch is converted with: the page as it was at the
// start.
struct BatchSettings {
  bool expertMode = false;
  int container = 0;  // an item of the Convert container list, not 0
  std::optional<TimeOfDay> startTime;
  std::optional<TimeOfDay> endTime;
  EasyModeLists easyLists;   // easy mode: the lists with their remembered choices
  StreamTable parameters;    // expert mode: the parameter table
  std::string expertLayout;  // expert mode: the first file's stream layout
};

// The output of `input` in `folder` (with its trailing separator).
std::string BatchOutputPath(std::string_view folder, std::string_view input,
                            std::string_view extension);

// The temporary name the output is written under: "Film.mp4.part".
std::string TemporaryOutputPath(std::string_view output);

// The types and codecs of the streams in order: "video h264, audio aac".
std::string StreamLayoutOf(const StreamTable& source);

// One file's ffmpeg arguments from its probe report, or why it is skipped.
struct BatchCommand {
  std::optional<std::string> arguments;
  std::string skipReason;
};
BatchCommand BuildBatchCommand(const BatchSettings& settings, std::string_view report,
                               std::string_view input, std::string_view temporaryOutput);

// Under the first file's probe: the files chosen together, each waiting.
std::string BatchChosenText(const std::vector<std::string>& inputs);

// A tool's cause line as a file's reason: "Invalid data found when
// processing input" for "D:\rec\Film.ts: Invalid data found ...".
std::string ReasonWithoutPath(std::string_view cause, std::string_view input);

// The log's line for a file: "3/8 Film 3.ts: failed - Invalid data ...".
std::string BatchStateLine(const BatchFile& file, std::size_t index, std::size_t count);

// The box at the end: "7 of 8 files converted. Failed: Film 3.ts - <reason>.
// The outputs are in <folder>."
std::string BatchSummaryText(const std::vector<BatchFile>& files, std::string_view folder);
MessageRequest BatchSummaryBox(const std::vector<BatchFile>& files, std::string_view text);

// Asked once before a batch whose outputs exist already: Yes overwrites
// them all, No skips their files, Cancel starts nothing.
std::string ExistingOutputsQuestion(std::size_t existing, std::size_t count);
inline constexpr std::string_view kExistingOutputSkipped = "its output exists already";

// Asked when "Cancel Job" stopped a file of the batch.
inline constexpr MessageRequest kStopTheRestQuestion{
    " Confirmation", "The file was stopped. Stop the rest of the batch too?", MessageIcon::Question,
    MessageButtons::YesNo};

}  // namespace trellimux
