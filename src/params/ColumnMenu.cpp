#include "params/ColumnMenu.h"

#include <array>
#include <span>

#include "params/ParameterColumns.h"
#include "params/ValueLists.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

using ValueList = std::span<const std::string_view>;

constexpr std::string_view kDeleteParameter = "delete Parameter";
constexpr std::string_view kFromSource = "from Source";

// The stream menu's items, in menu order from kFirstMenuChoiceId, with the
// row operation each one runs.
struct StreamMenuItem {
  std::string_view text;
  void (PageTables::*operation)();
};

constexpr std::array<StreamMenuItem, 4> kStreamMenuItems = {{
    {"Reset all stream parameter to source values", &PageTables::ResetRowToSource},
    {"Delete all stream parameter", &PageTables::ClearRowParameters},
    {"Move up", &PageTables::MoveRowUp},
    {"Move down", &PageTables::MoveRowDown},
}};

// dvvideo has no quality scale, so its rows get no quality values and lose a
// quality set earlier when the codec comes back from the source.
constexpr std::string_view kCodecWithoutQuality = "dvvideo";

struct CodecDefaults {
  std::string_view codec;
  std::string_view profile;
  std::string_view level;
};

// Picking one of these codecs sets Profile and Level so that the command does
// not carry values meant for the previous codec. Tried in this order.
constexpr std::array<CodecDefaults, 7> kCodecDefaults = {{
    {"h263", "", ""},
    {"h263p", "", ""},
    {"h264", "High", "41"},
    {"hevc", "Main", "41"},
    {"mpeg2video", "Main", "8"},
    {"mpeg4", "Main", "1"},
    {"vp9", "2", "5"},
}};

// The list each column offers, by stream type. On video rows Profile and
// Quality also depend on the row's codec (see ValuesFor).
struct ColumnValues {
  ValueList video, audio, subtitle;
};

// clang-format off
constexpr std::array<ColumnValues, kParameterColumnCount> kColumnValues = {{
    {},                                             // Stream: the stream menu instead
    {},                                             // Type: no menu
    {kVideoCodecs, kAudioCodecs, kSubtitleCodecs},  // Codec
    {},                                             // Profile: by codec
    {kLevels, {}, {}},                              // Level
    {kWidths, {}, {}},                              // Width
    {kHeights, {}, {}},                             // Height
    {kSampleAspectRatios, {}, {}},                  // SAR
    {kDisplayAspectRatios, {}, {}},                 // DAR
    {kFrameRates, {}, {}},                          // FPS
    {kPixelFormats, {}, {}},                        // PixFMT
    {kQualities, {}, {}},                           // Quality
    {kVideoBitrates, kAudioBitrates, {}},           // Bitrate
    {kVideoBitrates, {}, {}},                       // MaxBitrate
    {kBufferSizes, {}, {}},                         // Bufsize
    {{}, kSampleFormats, {}},                       // SampleFMT
    {{}, kSampleRates, {}},                         // SampleRate
    {{}, kChannelCounts, {}},                       // Channels
    {{}, kChannelLayouts, {}},                      // Layout
    {{}, kLanguages, kLanguages},                   // Language
}};
// clang-format on

ValueList ValuesFor(StreamKind kind, int column, std::string_view codec) {
  const ColumnValues& values = kColumnValues[column];
  switch (kind) {
    case StreamKind::Video:
      if (column == kProfile) return ProfileNamesForCodec(codec);
      if (column == kQuality && EqualsIgnoringCase(codec, kCodecWithoutQuality)) return {};
      return values.video;
    case StreamKind::Audio:
      return values.audio;
    case StreamKind::Subtitle:
      return values.subtitle;
    case StreamKind::Other:
      break;
  }
  return {};
}

ColumnMenu MenuHead(int column) {
  return {{kMenuTitleId, kParameterColumns[column].header}, {0, {}, true}};
}

ColumnMenu StreamMenu() {
  ColumnMenu menu = MenuHead(kStream);
  int id = kFirstMenuChoiceId;
  for (const StreamMenuItem& item : kStreamMenuItems) menu.push_back({id++, item.text});
  return menu;
}

ColumnMenu ValueMenu(int column, ValueList values) {
  ColumnMenu menu = MenuHead(column);
  menu.push_back({kFirstMenuChoiceId, kDeleteParameter});
  if (values.empty()) return menu;
  int id = kFirstMenuChoiceId + 1;
  menu.push_back({id++, kFromSource});
  for (std::string_view value : values) menu.push_back({id++, value});
  return menu;
}

void RunStreamMenuChoice(PageTables& tables, int id) {
  const auto index = static_cast<std::size_t>(id - kFirstMenuChoiceId);
  if (index < kStreamMenuItems.size()) (tables.*kStreamMenuItems[index].operation)();
}

void ApplyCodecDefaults(StreamTable& parameters, std::size_t row, std::string_view codec) {
  for (const CodecDefaults& defaults : kCodecDefaults) {
    if (!EqualsIgnoringCase(codec, defaults.codec)) continue;
    parameters.SetCell(row, kProfile, defaults.profile);
    parameters.SetCell(row, kLevel, defaults.level);
    return;
  }
}

void RestoreFromSource(PageTables& tables, std::size_t row, int column) {
  StreamTable& parameters = tables.ParameterTable();
  std::optional<std::size_t> source = tables.FindSourceRow(parameters.GetCell(row, kStream));
  if (!source) return;  // cannot happen: both tables come from one report
  parameters.SetCell(row, column, tables.SourceTable().GetCell(*source, column));
  if (column == kCodec && EqualsIgnoringCase(parameters.GetCell(row, kCodec), kCodecWithoutQuality))
    parameters.SetCell(row, kQuality, {});
}

}  // namespace

std::optional<ColumnMenu> BuildColumnMenu(const PageTables& tables, int column) {
  if (column == kStream) return StreamMenu();
  if (column <= kType || column >= kParameterColumnCount) return std::nullopt;
  const StreamTable& parameters = tables.ParameterTable();
  std::optional<std::size_t> row = parameters.Selection();
  if (!row) return std::nullopt;
  // The tag, not the Type cell: it is what the command builders go by.
  StreamKind kind = KindOfTag(parameters.Row(*row).typeTag);
  if (kind == StreamKind::Other) return std::nullopt;
  return ValueMenu(column, ValuesFor(kind, column, parameters.GetCell(*row, kCodec)));
}

void ApplyMenuChoice(PageTables& tables, int column, int id, std::string_view chosenText) {
  if (id < kFirstMenuChoiceId || id >= kMenuChoiceEnd) return;
  if (column == kStream) {
    RunStreamMenuChoice(tables, id);
    return;
  }
  // The Type column has no menu and its cell never changes after loading.
  if (column <= kType || column >= kParameterColumnCount) return;
  StreamTable& parameters = tables.ParameterTable();
  std::optional<std::size_t> row = parameters.Selection();
  if (!row) return;
  if (id == kFirstMenuChoiceId) {
    parameters.SetCell(*row, column, {});
  } else if (id == kFirstMenuChoiceId + 1) {
    RestoreFromSource(tables, *row, column);  // no codec defaults: the source's own stay
  } else {
    parameters.SetCell(*row, column, chosenText);
    if (column == kCodec) ApplyCodecDefaults(parameters, *row, parameters.GetCell(*row, kCodec));
  }
}

}  // namespace trellimux
