#include "cmdline/StreamOptions.h"

#include <algorithm>

#include "cmdline/EncoderFacts.h"
#include "cmdline/ProbedValues.h"
#include "cmdline/ProfileNames.h"
#include "params/ParameterColumns.h"
#include "text/AsciiText.h"
#include "text/CommandText.h"

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

std::string VideoFilterChain(std::string_view size, std::string_view sar, std::string_view dar,
                             std::string_view fps) {
  std::string chain;
  auto part = [&chain](std::string_view name, std::string_view value) {
    if (value.empty()) return;
    chain += chain.empty() ? "" : ",";
    chain += name;
    chain += value;
  };
  part("scale=", size);
  part("setsar=", FilterRatio(sar));
  part("setdar=", FilterRatio(dar));
  // No ":1" after the rate: that would set the filter's start time to 1 s and
  // drop the first second of video.
  part("fps=fps=", fps);
  return chain;
}

void AppendFilterChain(std::string& command, std::string_view specifier, std::string_view width,
                       std::string_view height, std::string_view sar, std::string_view dar,
                       std::string_view fps) {
  std::string size;
  if (!width.empty() && !height.empty()) size = std::string(width) + "/" + std::string(height);
  const std::string chain = VideoFilterChain(size, sar, dar, fps);
  // Per output stream: a plain -vf would give every video stream the chain
  // of the last one (a film would take its cover picture's size).
  AppendStreamOption(command, " -filter:", specifier, chain);
}

void AppendVideoFilters(std::string& command, std::string_view size, std::string_view sar,
                        std::string_view dar, std::string_view fps) {
  const std::string chain = VideoFilterChain(size, sar, dar, fps);
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

namespace {

// The audio cells the encoder accepts ("ffmpeg -h encoder=NAME"); what is
// left out, ffmpeg chooses itself from what the encoder supports.
void AppendAudioFormat(std::string& command, const TableRow& row, std::string_view codec,
                       std::string_view specifier, const StreamOptionRules& rules) {
  const AudioEncoderFacts* facts = FindAudioEncoder(codec);
  auto listed = [](std::span<const std::string_view> names, std::string_view value) {
    if (names.empty()) return true;
    for (std::string_view name : names)
      if (EqualsIgnoringCase(name, value)) return true;
    return false;
  };
  std::string_view sampleFormat = row.cells[kSampleFmt];
  std::string_view channels = row.cells[kChannels];
  std::string_view layout = row.cells[kLayout];
  if (facts) {
    if (!listed(facts->sampleFormats, sampleFormat)) sampleFormat = {};
    if (facts->maxChannels > 0 && ReadDecimal(channels) > facts->maxChannels) channels = {};
    if (channels.empty() || !listed(facts->channelLayouts, layout)) layout = {};
  }
  if (rules.sampleFormat) AppendStreamOption(command, " -sample_fmt:", specifier, sampleFormat);
  AppendStreamOption(command, " -ar:", specifier, row.cells[kSampleRate]);
  AppendStreamOption(command, " -ac:", specifier, channels);
  AppendStreamOption(command, " -channel_layout:", specifier, layout);
}

void AppendLanguage(std::string& command, const TableRow& row, StreamKind kind,
                    std::string_view specifier) {
  if (kind == StreamKind::Video || row.cells[kLanguage].empty()) return;
  command += " -metadata:s:";
  command += specifier;
  command += " language=";
  command += row.cells[kLanguage];
}

}  // namespace

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
  // A codec ffmpeg only decodes becomes its working encoder, or a copy.
  const std::string_view codec = WorkingEncoder(cell(kCodec));
  AppendCodec(command, specifier, codec);
  if (EqualsIgnoringCase(codec, "copy")) {
    // Encoder options and filters cannot go with a copied stream.
    AppendLanguage(command, row, kind, specifier);
    return;
  }
  auto appendQuality = [&] {
    std::string_view option = QualityOption(codec);
    if (!option.empty())
      AppendStreamOption(command, option, specifier, rules.fixedQuality.value_or(cell(kQuality)));
  };

  if (video) {
    const std::string_view dar = KnownRatio(cell(kDar));
    const std::string_view fps = KnownFrameRate(cell(kFps));
    AppendStreamOption(command, " -profile:", specifier, MapProfileName(codec, cell(kProfile)));
    AppendStreamOption(command, " -level:", specifier, KnownLevel(codec, cell(kLevel)));
    AppendFilterChain(command, specifier, KnownDimension(cell(kWidth)),
                      KnownDimension(cell(kHeight)), KnownRatio(cell(kSar)), dar, fps);
    AppendStreamOption(command, " -aspect:", specifier, dar);
    AppendStreamOption(command, " -r:", specifier, fps);
    AppendStreamOption(command, " -pix_fmt:", specifier, cell(kPixFmt));
    if (!rules.qualityAfterRates) appendQuality();
  }
  if (video || audio) AppendStreamOption(command, " -b:", specifier, cell(kBitrate));
  if (video) {
    AppendStreamOption(command, " -maxrate", "", cell(kMaxBitrate));
    AppendStreamOption(command, " -bufsize", "", cell(kBufsize));
    if (rules.qualityAfterRates) appendQuality();
  }
  if (audio) AppendAudioFormat(command, row, codec, specifier, rules);
  AppendLanguage(command, row, kind, specifier);
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
