#include "cmdline/StreamOptions.h"

#include <algorithm>

#include "cmdline/CommandText.h"
#include "cmdline/ProfileNames.h"
#include "params/ParameterColumns.h"
#include "text/AsciiText.h"

namespace trellimux {

std::uint32_t& StreamCounters::For(StreamKind kind) {
  switch (kind) {
    case StreamKind::Audio:
      return audio;
    case StreamKind::Subtitle:
      return subtitle;
    default:
      return video;
  }
}

std::string StreamSpecifier(StreamKind kind, std::uint32_t index) {
  char letter = kind == StreamKind::Audio ? 'a' : kind == StreamKind::Subtitle ? 's' : 'v';
  return std::string{letter, ':'} + FormatUnsigned(index);
}

void AppendStreamOption(std::string& command, std::string_view option, std::string_view specifier,
                        std::string_view value) {
  if (value.empty()) return;
  command += option;
  command += specifier;
  command += ' ';
  command += value;
}

void AppendCodec(std::string& command, std::string_view specifier, std::string_view codec) {
  AppendStreamOption(command, " -c:", specifier, codec);
  if (EqualsIgnoringCase(codec, "libmp3lame") || EqualsIgnoringCase(codec, "mp3"))
    command += " -joint_stereo 0";
}

void AppendFilterChain(std::string& command, std::string_view width, std::string_view height,
                       std::string_view sar, std::string_view dar, std::string_view fps) {
  std::string size;
  if (!width.empty() && !height.empty()) size = std::string(width) + "/" + std::string(height);
  AppendVideoFilters(command, size, sar, dar, fps);
}

void AppendVideoFilters(std::string& command, std::string_view size, std::string_view sar,
                        std::string_view dar, std::string_view fps) {
  std::string chain;
  auto part = [&chain](std::string_view name, std::string_view value) {
    if (value.empty()) return;
    chain += chain.empty() ? "" : ",";
    chain += name;
    chain += value;
  };
  part("scale=", size);
  part("setsar=", sar);
  part("setdar=", dar);
  // No ":1" after the rate: that would set the filter's start time to 1 s and
  // drop the first second of video.
  part("fps=fps=", fps);
  if (chain.empty()) return;
  command += " -vf ";
  command += chain;
}

std::string_view QualityOption(std::string_view codec) {
  if (codec.empty() || EqualsIgnoringCase(codec, "dvvideo")) return {};
  for (std::string_view crfCodec : {"h264", "h265", "hevc"})
    if (EqualsIgnoringCase(codec, crfCodec)) return " -crf:";
  return " -q:";
}

void AppendStreamOptions(std::string& command, const TableRow& row, StreamKind kind,
                         std::string_view specifier, const StreamOptionRules& rules) {
  if (rules.set == StreamOptionSet::MapOnly) return;
  if (rules.set == StreamOptionSet::Copy) {
    AppendStreamOption(command, " -c:", specifier, "copy");
    return;
  }
  auto cell = [&row](int column) -> std::string_view { return row.cells[column]; };
  const bool video = kind == StreamKind::Video;
  const bool audio = kind == StreamKind::Audio;
  auto appendQuality = [&] {
    std::string_view option = QualityOption(cell(kCodec));
    if (!option.empty())
      AppendStreamOption(command, option, specifier, rules.fixedQuality.value_or(cell(kQuality)));
  };

  AppendCodec(command, specifier, cell(kCodec));
  if (video) {
    AppendStreamOption(command, " -profile:", specifier,
                       MapProfileName(cell(kCodec), cell(kProfile)));
    AppendStreamOption(command, " -level:", specifier, cell(kLevel));
    AppendFilterChain(command, cell(kWidth), cell(kHeight), cell(kSar), cell(kDar), cell(kFps));
    AppendStreamOption(command, " -aspect:", specifier, cell(kDar));
    AppendStreamOption(command, " -r:", specifier, cell(kFps));
    AppendStreamOption(command, " -pix_fmt:", specifier, cell(kPixFmt));
    if (!rules.qualityAfterRates) appendQuality();
  }
  if (video || audio) AppendStreamOption(command, " -b:", specifier, cell(kBitrate));
  if (video) {
    AppendStreamOption(command, " -maxrate", "", cell(kMaxBitrate));
    AppendStreamOption(command, " -bufsize", "", cell(kBufsize));
    if (rules.qualityAfterRates) appendQuality();
  }
  if (audio) {
    if (rules.sampleFormat)
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

void AppendMappedStreams(std::string& command, const StreamTable& table, std::size_t rowCount,
                         const StreamOptionRules& rules) {
  StreamCounters counters;
  rowCount = std::min(rowCount, table.RowCount());
  for (std::size_t i = 0; i < rowCount; ++i) {
    const TableRow& row = table.Row(i);
    StreamKind kind = KindOfTag(row.typeTag);
    if (kind == StreamKind::Other || !row.checked) continue;
    std::uint32_t& counter = counters.For(kind);
    command += " -map 0:";
    command += row.cells[kStream];
    AppendStreamOptions(command, row, kind, StreamSpecifier(kind, counter), rules);
    ++counter;
  }
}

}  // namespace trellimux
