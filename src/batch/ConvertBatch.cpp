#include "batch/ConvertBatch.h"

#include <algorithm>

#include "cmdline/ContainerMuxers.h"
#include "cmdline/EasyCommand.h"
#include "cmdline/ExpertCommand.h"
#include "model/FixedItemLists.h"
#include "params/PageTables.h"
#include "probe/ProbeReport.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

std::string_view StateWord(BatchState state) {
  switch (state) {
    case BatchState::Waiting:
      return "waiting";
    case BatchState::Running:
      return "running";
    case BatchState::Done:
      return "done";
    case BatchState::Failed:
      return "failed";
    case BatchState::Skipped:
      return "skipped";
    case BatchState::Cancelled:
      return "cancelled";
  }
  return "";
}

std::size_t CountOf(const std::vector<BatchFile>& files, BatchState state) {
  return static_cast<std::size_t>(std::count_if(
      files.begin(), files.end(), [&](const BatchFile& file) { return file.state == state; }));
}

// "Failed: a.ts - why (kept as a.mp4.part); b.ts - why." for the files in
// `state`, or nothing when there are none.
std::string ListOf(const std::vector<BatchFile>& files, BatchState state,
                   std::string_view heading) {
  std::string text;
  for (const BatchFile& file : files) {
    if (file.state != state) continue;
    text += text.empty() ? " " + std::string(heading) + ": " : "; ";
    text += PathFileName(file.input);
    if (!file.reason.empty()) text += " - " + file.reason;
    if (file.keptTemporary)
      text += " (kept as " + std::string(PathFileName(TemporaryOutputPath(file.output))) + ")";
  }
  if (text.empty() || text.back() == '.') return text;  // a system text ends with its own
  return text + ".";
}

}  // namespace

std::string BatchOutputPath(std::string_view folder, std::string_view input,
                            std::string_view extension) {
  return std::string(folder) + ReplaceExtension(PathFileName(input), extension);
}

std::string TemporaryOutputPath(std::string_view output) { return std::string(output) + ".part"; }

std::string StreamLayoutOf(const StreamTable& source) {
  std::string layout;
  for (std::size_t row = 0; row < source.RowCount(); ++row) {
    if (row != 0) layout += ", ";
    layout += source.GetCell(row, kType);
    layout += ' ';
    layout += source.GetCell(row, kCodec);
  }
  return layout;
}

BatchCommand BuildBatchCommand(const BatchSettings& settings, std::string_view report,
                               std::string_view input, std::string_view temporaryOutput) {
  PageTables tables(StreamPage::Convert);
  if (const std::optional<ProbeFailure> failure = tables.LoadProbeReport(report))
    return {std::nullopt, std::string(ProbeFailureText(*failure))};
  const std::string layout = StreamLayoutOf(tables.SourceTable());
  if (settings.expertMode && layout != settings.expertLayout)
    return {std::nullopt, "its streams (" + layout + ") are not those of the first file (" +
                              settings.expertLayout + ")"};

  EasyCommandInput command;
  command.expertMode = settings.expertMode;
  command.containerIndex = settings.container;
  command.sourceRowCount = tables.SourceTable().RowCount();
  command.inputPath = input;
  command.outputPath = temporaryOutput;
  command.startTime = settings.startTime;
  command.endTime = settings.endTime;
  std::optional<std::string> arguments;
  if (settings.expertMode) {
    arguments = BuildExpertCommand(command, settings.parameters);
  } else {
    // Each file's own streams fill the lists; the choices made on the
    // page come back with the container's remembered items.
    EasyModeLists lists = settings.easyLists;
    lists.ChangeContainer(settings.container, tables.SourceTable());
    command.oddSizeFlag = tables.OddSizeFlag();
    arguments = BuildEasyCommand(command, lists.Slots()).text;
  }
  if (!arguments || arguments->empty()) return {std::nullopt, "no command could be made for it"};
  // ffmpeg picks the muxer by the output's extension, which the temporary
  // name lacks; a target ("-target pal-dvd") names its own.
  const std::string_view muxer =
      MuxerOfExtension(kContainerListB[static_cast<std::size_t>(settings.container)]);
  const std::size_t output = arguments->rfind(" \"");
  if (!muxer.empty() && output != std::string::npos &&
      arguments->find(" -target ") == std::string::npos)
    arguments->insert(output, " -f " + std::string(muxer));
  return {std::move(arguments), {}};
}

std::string BatchStateLine(const BatchFile& file, std::size_t index, std::size_t count) {
  std::string line = std::to_string(index + 1) + "/" + std::to_string(count) + " " +
                     std::string(PathFileName(file.input)) + ": " +
                     std::string(StateWord(file.state));
  if (!file.reason.empty()) line += " - " + file.reason;
  if (file.state == BatchState::Done) line += " -> " + file.output;
  if (file.keptTemporary) line += " (kept as " + TemporaryOutputPath(file.output) + ")";
  return line;
}

std::string ReasonWithoutPath(std::string_view cause, std::string_view input) {
  if (cause.size() > input.size() + 2 && cause.starts_with(input) &&
      cause.substr(input.size(), 2) == ": ")
    cause.remove_prefix(input.size() + 2);
  return std::string(cause);
}

std::string BatchChosenText(const std::vector<std::string>& inputs) {
  std::string text = "\r\nThe first of " + std::to_string(inputs.size()) +
                     " files chosen together is shown. Start converts them all with these "
                     "settings, one after the other, into the output's folder:\r\n";
  for (std::size_t i = 0; i < inputs.size(); ++i)
    text += BatchStateLine({inputs[i], {}}, i, inputs.size()) + "\r\n";
  return text;
}

std::string BatchSummaryText(const std::vector<BatchFile>& files, std::string_view folder) {
  std::string text = std::to_string(CountOf(files, BatchState::Done)) + " of " +
                     std::to_string(files.size()) + " files converted.";
  text += ListOf(files, BatchState::Failed, "Failed");
  text += ListOf(files, BatchState::Skipped, "Skipped");
  text += ListOf(files, BatchState::Cancelled, "Cancelled");
  // "D:\out\" reads "D:\out"; a drive's root keeps its separator.
  if (folder.size() > 3 && folder.back() == '\\') folder.remove_suffix(1);
  text += " The outputs are in " + std::string(folder) + ".";
  return text;
}

MessageRequest BatchSummaryBox(const std::vector<BatchFile>& files, std::string_view text) {
  const bool all = CountOf(files, BatchState::Done) == files.size();
  return {all ? "Information" : " Warning", text,
          all ? MessageIcon::Information : MessageIcon::Warning, MessageButtons::Ok};
}

std::string ExistingOutputsQuestion(std::size_t existing, std::size_t count) {
  return std::to_string(existing) + " of the " + std::to_string(count) +
         " outputs exist already.\r\n\r\nYes: overwrite them all.\r\nNo: skip those files.\r\n"
         "Cancel: start nothing.";
}

}  // namespace trellimux
