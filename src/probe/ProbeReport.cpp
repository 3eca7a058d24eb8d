#include "probe/ProbeReport.h"

#include "text/AsciiText.h"

namespace trellimux {
namespace {

constexpr std::size_t kMiss = std::string_view::npos;

// The report key of each parameter column; Quality and Bufsize have none.
constexpr std::array<std::string_view, kParameterColumnCount> kReportKeys = {
    "index=",     "codec_type=", "codec_name=",          "profile=",
    "level=",     "width=",      "height=",              "sample_aspect_ratio=",
    "display_aspect_ratio=",     "r_frame_rate=",        "pix_fmt=",
    "",           "bit_rate=",   "max_bit_rate=",        "",
    "sample_fmt=", "sample_rate=", "channels=",          "channel_layout=",
    "TAG:language="};

constexpr int kTypeColumn = 1;
constexpr int kWidthColumn = 5;
constexpr int kHeightColumn = 6;

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
    if (to > report_.size() || key.size() > to) return kMiss;
    for (std::size_t p = from; p + key.size() <= to; ++p)
      if (EqualsIgnoringCase(report_.substr(p, key.size()), key)) return p;
    return kMiss;
  }

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

StreamInfo ReadSection(const ReportScanner& scanner, const Section& section) {
  StreamInfo info;
  for (int column = 0; column < kParameterColumnCount; ++column) {
    std::string_view key = kReportKeys[column];
    if (key.empty()) continue;
    std::size_t hit = scanner.Find(key, section.begin, section.end);
    if (hit == kMiss) continue;
    std::string_view value = scanner.ValueAfter(hit, key);
    // The Stream and Type texts are kept even when they say N/A or unknown.
    if (column > kTypeColumn && IsUnsetValue(value)) continue;
    info.texts[column] = value;
  }
  info.typeTag = MakeTypeTag(info.texts[kTypeColumn]);
  return info;
}

unsigned OddSizeOf(const StreamInfo& info) {
  auto odd = [](std::string_view text) { return static_cast<unsigned>(ReadDecimal(text)) & 1u; };
  return odd(info.texts[kWidthColumn]) + odd(info.texts[kHeightColumn]);
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
