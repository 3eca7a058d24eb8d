#include "concat/ConcatCommand.h"

#include <array>
#include <string>

#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

// The options of each stream-selection entry, each ending in the output's
// opening quote.
constexpr std::array<std::string_view, kStreamSelectionList.size()> kStreamOptions = {
    " -ignore_unknown -map 0 -c copy \"",
    " -copy_unknown -map 0 -c copy \"",
    " -ignore_unknown -c copy \"",
    " -vn -ignore_unknown -map 0 -c:a copy \"",
    " -an -ignore_unknown -map 0 -c:v copy \"",
    " -vn -ignore_unknown -c:a copy \"",
    " -an -ignore_unknown -c:v copy \"",
};

ConcatCommand Error() { return {ConcatCommandOutcome::Error, {}}; }

// An include/exclude list: false without a valid selection; else appends
// `option` when "exclude" (1) is selected.
bool AppendExclusion(std::string& line, std::optional<int> selection, std::string_view option) {
  if (selection != 0 && selection != 1) return false;
  if (selection == 1) line += option;
  return true;
}

}  // namespace

ConcatCommand BuildConcatCommand(const ConcatCommandInput& input) {
  if (input.inputs.empty()) return {ConcatCommandOutcome::Replace, {}};
  if (!input.concatMode) return {ConcatCommandOutcome::KeepBox, {}};

  std::string line;
  switch (*input.concatMode) {
    case kNoConcatMode:
      return {ConcatCommandOutcome::Replace, std::string(kConcatModePrompt)};
    case kDemuxerConcat:
      line = " -fflags genpts -f concat -safe 0 -i \"";
      line += ConcatListFilePath(input.startDirectory);
      break;
    case kFileConcat:
      line = " -fflags genpts -i \"concat:";
      for (std::size_t i = 0; i < input.inputs.size(); ++i) {
        if (i != 0) line += '|';
        // ffmpeg's subfile protocol reads the input from there to its end (0).
        if (i < input.inputStarts.size() && input.inputStarts[i] > 0)
          line += "subfile,,start," + std::to_string(input.inputStarts[i]) + ",end,0,,:";
        line += input.inputs[i];
      }
      break;
    case kWindowsFileConcat:
      return {ConcatCommandOutcome::Replace, std::string(kWindowsFileJoinNote)};
    default:
      return Error();
  }
  line += '"';

  if (!AppendExclusion(line, input.subtitles, " -sn")) return Error();
  if (!AppendExclusion(line, input.data, " -dn")) return Error();

  const std::optional<int> stream = input.streamSelection;
  if (!stream || *stream < 0 || static_cast<std::size_t>(*stream) >= kStreamOptions.size())
    return Error();
  line += kStreamOptions[static_cast<std::size_t>(*stream)];
  line += input.outputPath;
  line += '"';
  return {ConcatCommandOutcome::Replace, std::move(line)};
}

std::string ConcatListFilePath(std::string_view folder) {
  std::string path(folder);
  if (!path.ends_with('\\')) path += '\\';
  return path + "files.txt";
}

std::string ConcatListFileText(std::span<const std::string> paths) {
  std::string text;
  for (const std::string& path : paths) {
    text += "file '";
    for (char c : path) {
      if (c == '\'') {
        text += "'\\''";  // closes the quoted text, an escaped quote, reopens it
      } else {
        text += c;
      }
    }
    text += "'\r\n";
  }
  return text;
}

}  // namespace trellimux
