// Per-stream option pieces shared by the expert, easy-mode and Trim builders.
// Every piece begins with a blank; an empty value writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "params/StreamTable.h"
#include "probe/TypeTag.h"

namespace trellimux {

// Output stream counters of one build, one per type.
struct StreamCounters {
  std::uint32_t video = 0;
  std::uint32_t audio = 0;
  std::uint32_t subtitle = 0;

  std::uint32_t& For(StreamKind kind);
};

// "v:0", "a:1", "s:0": the type letter and the type's next output index.
std::string StreamSpecifier(StreamKind kind, std::uint32_t index);

// " <option>:<specifier> <value>", or nothing for an empty value.
void AppendStreamOption(std::string& command, std::string_view option, std::string_view specifier,
                        std::string_view value);

// " -c:<specifier> <codec>", then " -joint_stereo 0" for the MP3 encoders.
void AppendCodec(std::string& command, std::string_view specifier, std::string_view codec);

// The present parts of scale, setsar, setdar and fps, comma joined (SAR and
// DAR as "N/M"); empty when all four are absent.
std::string VideoFilterChain(std::string_view size, std::string_view sar, std::string_view dar,
                             std::string_view fps);

// " -filter:<specifier> " and the chain of one output stream; nothing when
// the chain is empty (size needs both width and height).
void AppendFilterChain(std::string& command, std::string_view specifier, std::string_view width,
                       std::string_view height, std::string_view sar, std::string_view dar,
                       std::string_view fps);

// " -vf " and the chain with the size already in one text (easy mode's
// "1280/720" or even-size expression), for all video streams alike.
void AppendVideoFilters(std::string& command, std::string_view size, std::string_view sar,
                        std::string_view dar, std::string_view fps);

// The quality option a video codec takes: " -crf:" for the H.264/HEVC
// encoders, none for an empty codec or "dvvideo", else " -q:".
std::string_view QualityOption(std::string_view codec);

// What a table-driven build writes after each stream's " -map 0:<Stream>".
enum class StreamOptionSet {
  MapOnly,  // nothing
  Copy,     // " -c:<specifier> copy"
  Encode,   // the row's cells as encoder options
};

// The table-driven builds differ only here; the defaults are the expert
// builder's.
struct StreamOptionRules {
  StreamOptionSet set = StreamOptionSet::Encode;
  bool qualityAfterRates = false;  // -b, -maxrate, -bufsize, then quality
  bool sampleFormat = true;        // write the SampleFMT cell
  // Written instead of the Quality cell, for the codecs that take one.
  std::optional<std::string_view> fixedQuality;
};

// The options of one stream by the row's cells, as `rules` say; `specifier`
// is the stream's output specifier ("v:0"). Probed texts become values the
// encoder takes: a decode-only codec its working encoder or a copy (then
// without encoder options), profiles in the encoder's spelling, unknown
// values and what the encoder does not accept left out.
void AppendStreamOptions(std::string& command, const TableRow& row, StreamKind kind,
                         std::string_view specifier, const StreamOptionRules& rules);

// Walks the first `rowCount` rows: rows neither video, audio nor subtitle and
// unchecked rows are left out; each other row gets " -map 0:<Stream>" and its
// options, with its type's next output specifier.
void AppendMappedStreams(std::string& command, const StreamTable& table, std::size_t rowCount,
                         const StreamOptionRules& rules);

}  // namespace trellimux
