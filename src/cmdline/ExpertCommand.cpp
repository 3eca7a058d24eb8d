#include "cmdline/ExpertCommand.h"

#include <algorithm>

#include "cmdline/ProfileNames.h"
#include "cmdline/StreamOptions.h"
#include "params/ParameterColumns.h"

namespace trellimux {
namespace {

void AppendStream(std::string& command, const TableRow& row, StreamKind kind,
                  const std::string& specifier) {
  auto cell = [&row](int column) -> std::string_view { return row.cells[column]; };
  const bool video = kind == StreamKind::Video;
  const bool audio = kind == StreamKind::Audio;

  command += " -map 0:";
  command += cell(kStream);
  AppendCodec(command, specifier, cell(kCodec));
  if (video) {
    AppendStreamOption(command, " -profile:", specifier,
                       MapProfileName(cell(kCodec), cell(kProfile)));
    AppendStreamOption(command, " -level:", specifier, cell(kLevel));
    AppendFilterChain(command, cell(kWidth), cell(kHeight), cell(kSar), cell(kDar), cell(kFps));
    AppendStreamOption(command, " -aspect:", specifier, cell(kDar));
    AppendStreamOption(command, " -r:", specifier, cell(kFps));
    AppendStreamOption(command, " -pix_fmt:", specifier, cell(kPixFmt));
    std::string_view quality = QualityOption(cell(kCodec));
    if (!quality.empty()) AppendStreamOption(command, quality, specifier, cell(kQuality));
  }
  if (video || audio) AppendStreamOption(command, " -b:", specifier, cell(kBitrate));
  if (video) {
    AppendStreamOption(command, " -maxrate", "", cell(kMaxBitrate));
    AppendStreamOption(command, " -bufsize", "", cell(kBufsize));
  }
  if (audio) {
    AppendStreamOption(command, " -sample_fmt:", specifier, cell(kSampleFmt));
    AppendStreamOption(command, " -ar:", specifier, cell(kSampleRate));
    AppendStreamOption(command, " -ac:", specifier, cell(kChannels));
    AppendStreamOption(command, " -channel_layout:", specifier, cell(kLayout));
  }
  if (!video && !cell(kLanguage).empty()) {
    command += " -metadata:s:";
    command += specifier;
    command += " language=";
    command += cell(kLanguage);
  }
}

}  // namespace

std::optional<std::string> BuildExpertCommand(const ExpertCommandInput& input,
                                              const StreamTable& parameters) {
  if (!input.expertMode) return std::nullopt;
  if (input.containerIndex < 1 || input.sourceRowCount == 0) return std::string();

  std::string command = " -fflags genpts -i";
  AppendQuotedPath(command, input.inputPath);
  if (input.startTime) command += " -ss " + FormatTimeOfDay(*input.startTime);

  StreamCounters counters;
  const std::size_t rows = std::min(input.sourceRowCount, parameters.RowCount());
  for (std::size_t i = 0; i < rows; ++i) {
    const TableRow& row = parameters.Row(i);
    StreamKind kind = KindOfTag(row.typeTag);
    if (kind == StreamKind::Other || !row.checked) continue;
    std::uint32_t& counter = counters.For(kind);
    AppendStream(command, row, kind, StreamSpecifier(kind, counter));
    ++counter;
  }

  if (input.endTime) command += " -to " + FormatTimeOfDay(*input.endTime);
  AppendQuotedPath(command, input.outputPath);
  return command;
}

}  // namespace trellimux
