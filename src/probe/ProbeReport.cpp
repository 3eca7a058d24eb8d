#include "probe/ProbeReport.h"

#include <algorithm>

#include "text/AsciiText.h"

namespace trellimux {
namespace {

constexpr std::size_t kMiss = std::string_view::npos;

// The report key of each parameter column; Quality and Bufsize have none.
// clang-format off
constexpr std::array<std::string_view, kParameterColumnCount> kReportKeys = {
    "index=",     "codec_type=", "codec_name=",          "profile=",
    "level=",     "width=",      "height=",              "sample_aspect_ratio=",
    "display_aspect_ratio=",     "r_frame_rate=",        "pix_fmt=",
    "",           "bit_rate=",   "max_bit_rate=",        "",
    "sample_fmt=", "sample_rate=", "channels=",          "channel_layout=",
    "TAG:language="};
// clang-format on

// Room for 256 section positions: a count that wraps to 0 stops here.
constexpr std::size_t kSectionListSize = 256;

constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Searches the report in place. Keys hold no line-end byte, so a match can
// never span a line end.
class ReportScanner {
 public:
  explicit ReportScanner(std::string_view report) : report_(report) {}

  std::size_t size() const { return report_.size(); }

  // Position of the first occurrence of `key` (ASCII case ignored) starting
  // in [from, to), or kMiss.
  std::size_t Find(std::string_view key, std::size_t from, std::size_t to) const {
    const char first = AsciiLower(key.front());
    for (std::size_t p = from; p < to && p < report_.size(); ++p)
      if (AsciiLower(report_[p]) == first && MatchesAt(p, key, to)) return p;
    return kMiss;
  }

  // Whether `key` (ASCII case ignored) starts at `pos` and ends by `to`.
  bool MatchesAt(std::size_t pos, std::string_view key, std::size_t to) const {
    to = std::min(to, report_.size());
    return pos < to && key.size() <= to - pos &&
           EqualsIgnoringCase(report_.substr(pos, key.size()), key);
  }

  char At(std::size_t pos) const { return report_[pos]; }

  // Start of the line that holds `pos`.
  std::size_t LineStart(std::size_t pos) const {
    while (pos > 0 && !IsLineEnd(report_[pos - 1])) --pos;
    return pos;
  }

  // The text from just after the key at `pos` to the end of its line.
  std::string_view ValueAfter(std::size_t pos, std::string_view key) const {
    std::size_t begin = pos + key.size();
    std::size_t end = begin;
    while (end < report_.size() && !IsLineEnd(report_[end])) ++end;
    return report_.substr(begin, end - begin);
  }

 private:
  std::string_view report_;
};

struct Section {
  std::size_t begin;  // the "[STREAM]" marker
  std::size_t end;    // start of the "[/STREAM]" marker's line
};

bool IsUnsetValue(std::string_view value) {
  return EqualsIgnoringCase(value, "Unknown") || EqualsIgnoringCase(value, "N/A");
}

// For each lower-cased first letter, the columns whose report key starts
// with it (-1 ends a list), so one pass over a section tries few keys.
constexpr int kMaxKeysPerLetter = 4;
using KeyList = std::array<int, kMaxKeysPerLetter + 1>;
constexpr std::array<KeyList, 128> kKeysByFirstLetter = [] {
  std::array<KeyList, 128> table{};
  for (KeyList& list : table) list.fill(-1);
  for (int column = 0; column < kParameterColumnCount; ++column) {
    if (kReportKeys[column].empty()) continue;
    KeyList& list = table[static_cast<unsigned char>(AsciiLower(kReportKeys[column][0]))];
    int at = 0;
    while (list[at] != -1) ++at;
    list[at] = column;  // a fifth key on one letter fails to compile here
  }
  return table;
}();

// The first hit of every key in the section: the same hits as searching each
// key afresh from the section start, found in a single pass.
std::array<std::size_t, kParameterColumnCount> FindKeys(const ReportScanner& scanner,
                                                        const Section& section) {
  std::array<std::size_t, kParameterColumnCount> hits;
  hits.fill(kMiss);
  for (std::size_t p = section.begin; p < section.end; ++p) {
    const auto letter = static_cast<unsigned char>(AsciiLower(scanner.At(p)));
    if (letter >= kKeysByFirstLetter.size()) continue;
    for (int column : kKeysByFirstLetter[letter]) {
      if (column < 0) break;
      if (hits[column] == kMiss && scanner.MatchesAt(p, kReportKeys[column], section.end))
        hits[column] = p;
    }
  }
  return hits;
}

StreamInfo ReadSection(const ReportScanner& scanner, const Section& section) {
  StreamInfo info;
  const auto hits = FindKeys(scanner, section);
  for (int column = 0; column < kParameterColumnCount; ++column) {
    if (hits[column] == kMiss) continue;
    std::string_view value = scanner.ValueAfter(hits[column], kReportKeys[column]);
    // The Stream and Type texts are kept even when they say N/A or unknown.
    if (column > kType && IsUnsetValue(value)) continue;
    info.texts[column] = value;
  }
  info.typeTag = MakeTypeTag(info.texts[kType]);
  return info;
}

unsigned OddSizeOf(const StreamInfo& info) {
  auto odd = [](std::string_view text) { return static_cast<unsigned>(ReadDecimal(text)) & 1u; };
  return odd(info.texts[kWidth]) + odd(info.texts[kHeight]);
}

}  // namespace

std::string_view ProbeFailureText(ProbeFailure failure) {
  return failure == ProbeFailure::Format ? "Unable to parse input format."
                                         : "Unable to parse input stream.";
}

ProbeOutcome ParseProbeReport(std::string_view report) {
  const ReportScanner scanner(report);
  const std::size_t end = scanner.size();

  std::size_t format = scanner.Find("[FORMAT]", 0, end);
  if (format == kMiss) return ProbeFailure::Format;
  std::size_t formatEnd = scanner.Find("[/FORMAT]", format, end);
  if (formatEnd == kMiss) return ProbeFailure::Format;
  constexpr std::string_view kCountKey = "nb_streams=";
  std::size_t count = scanner.Find(kCountKey, format, scanner.LineStart(formatEnd));
  if (count == kMiss) return ProbeFailure::Format;

  ProbeResult result;
  result.streamCount = static_cast<std::uint8_t>(ReadDecimal(scanner.ValueAfter(count, kCountKey)));

  // Collect the first N stream sections. The count is checked after each
  // section is recorded, so a count of 0 is never reached and fails.
  std::vector<Section> sections;
  sections.reserve(result.streamCount);
  std::size_t from = 0;
  do {
    if (sections.size() == kSectionListSize) return ProbeFailure::Stream;
    std::size_t open = scanner.Find("[STREAM]", from, end);
    if (open == kMiss) return ProbeFailure::Stream;
    std::size_t close = scanner.Find("[/STREAM]", open, end);
    if (close == kMiss) return ProbeFailure::Stream;
    sections.push_back({open, scanner.LineStart(close)});
    from = close;
  } while (sections.size() != result.streamCount);

  result.streams.reserve(sections.size());
  for (const Section& section : sections) {
    result.streams.push_back(ReadSection(scanner, section));
    result.oddSizeFlag += OddSizeOf(result.streams.back());
  }
  return result;
}

}  // namespace trellimux
