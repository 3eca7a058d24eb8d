#include "concat/RecordingParts.h"

#include <algorithm>
#include <optional>
#include <set>

#include "text/AsciiText.h"
#include "text/ByteSizeText.h"
#include "text/NaturalOrder.h"

namespace trellimux {
namespace {

// Longer runs are dates, serials or counters of another kind, not a part
// number; they also keep the numbering's gaps few enough to name.
constexpr std::size_t kMostNumberDigits = 6;
constexpr long long kMostGapsLookedFor = 1000;

// Names of one recording: prefix, running number, suffix. With an empty
// suffix and a prefix ending in ".", the prefix without it names the part
// before the numbered ones ("Film.ts" before "Film.ts.001").
struct PartPattern {
  std::string prefix;
  std::string suffix;
  std::size_t width = 0;  // digits of the added file's number

  std::optional<std::string> UnnumberedName() const {
    if (!suffix.empty() || !prefix.ends_with('.')) return std::nullopt;
    return prefix.substr(0, prefix.size() - 1);
  }
};

// A name whose last extension is a number ("Film.001"), or whose name
// before its extension ends in one ("Film_001.ts", "Film-1.rec").
std::optional<PartPattern> NumberedPattern(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0 && AllAsciiDigits(name.substr(dot + 1)))
    return PartPattern{std::string(name.substr(0, dot + 1)), "", name.size() - dot - 1};
  const std::string_view stem = name.substr(0, dot);
  std::size_t digits = stem.size();
  while (digits > 0 && IsAsciiDigit(stem[digits - 1])) --digits;
  if (digits == 0 || digits == stem.size()) return std::nullopt;
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot);
  return PartPattern{std::string(stem.substr(0, digits)), std::string(extension),
                     stem.size() - digits};
}

// ".mkv", not ".tar.gz" or "-2.ts": what a container's name ends in.
bool IsSingleExtension(std::string_view text) {
  return text.size() >= 2 && text.size() <= 6 && text[0] == '.' &&
         text.find('.', 1) == std::string_view::npos;
}

struct Candidate {
  std::string name;
  std::int64_t size = -1;
  std::optional<long long> number;  // none: the unnumbered first part
  bool otherExtension = false;
};

// How `name` fits the pattern, if it does.
std::optional<Candidate> Match(const PartPattern& pattern, const FolderFile& file) {
  const std::string_view name = file.name;
  if (const auto unnumbered = pattern.UnnumberedName();
      unnumbered && EqualsIgnoringCase(name, *unnumbered))
    return Candidate{file.name, file.size, std::nullopt, false};
  if (!StartsWithIgnoringCase(name, pattern.prefix)) return std::nullopt;
  const std::string_view rest = name.substr(pattern.prefix.size());
  std::size_t digits = 0;
  while (digits < rest.size() && IsAsciiDigit(rest[digits])) ++digits;
  if (digits == 0 || digits > kMostNumberDigits) return std::nullopt;
  const std::string_view tail = rest.substr(digits);
  const bool same = EqualsIgnoringCase(tail, pattern.suffix);
  if (!same && !IsSingleExtension(tail)) return std::nullopt;
  return Candidate{file.name, file.size, std::stoll(std::string(rest.substr(0, digits))), !same};
}

std::vector<Candidate> Gather(const PartPattern& pattern, std::string_view added,
                              std::span<const FolderFile> folder) {
  std::vector<Candidate> found;
  bool addedFound = false;
  for (const FolderFile& file : folder) {
    if (auto candidate = Match(pattern, file)) {
      addedFound = addedFound || EqualsIgnoringCase(file.name, added);
      found.push_back(std::move(*candidate));
    }
  }
  if (!addedFound) {
    if (auto candidate = Match(pattern, {std::string(added), -1})) found.push_back(*candidate);
  }
  std::ranges::sort(found, [](const Candidate& a, const Candidate& b) {
    if (a.number != b.number) return a.number < b.number;  // none first
    return NaturallyBefore(a.name, b.name);
  });
  return found;
}

// A running number and the pattern's own ending.
bool IsNumberedPart(const Candidate& candidate) {
  return candidate.number && !candidate.otherExtension;
}

bool HasNumberedParts(const std::vector<Candidate>& found) {
  return std::ranges::any_of(found, IsNumberedPart);
}

std::string NumberText(long long number, std::size_t width) {
  std::string text = std::to_string(number);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// The middle size of all parts but the last; -1 when none is known.
std::int64_t TypicalSize(const std::vector<const Candidate*>& parts) {
  std::vector<std::int64_t> sizes;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i)
    if (parts[i]->size > 0) sizes.push_back(parts[i]->size);
  if (sizes.empty()) return -1;
  std::ranges::nth_element(sizes, sizes.begin() + (sizes.size() - 1) / 2);
  return sizes[(sizes.size() - 1) / 2];
}

std::optional<std::string> SizeReason(const Candidate& part, bool last, std::int64_t typical) {
  if (part.size <= 0 || typical <= 0) return std::nullopt;
  const bool tooSmall = !last && part.size * 2 < typical;
  if (!tooSmall && part.size <= typical * 2) return std::nullopt;
  return "its size, " + ByteSizeText(part.size) + ", is far from the other parts' " +
         ByteSizeText(typical);
}

struct Gathered {
  PartPattern pattern;
  std::vector<Candidate> found;  // in the recording's order
};

// "Film.ts" may be the first of "Film.ts.001" and on, even when its own
// name ends in a number ("News 2024.ts"); otherwise the added file's own
// number leads.
Gathered Gather(std::string_view added, std::span<const FolderFile> folder) {
  Gathered first{{std::string(added) + ".", "", 0}, {}};
  first.found = Gather(first.pattern, added, folder);
  if (const auto part = std::ranges::find_if(first.found, IsNumberedPart);
      part != first.found.end()) {
    first.pattern.width = part->name.size() - first.pattern.prefix.size();
    return first;
  }
  const std::optional<PartPattern> pattern = NumberedPattern(added);
  if (!pattern) return first;
  return {*pattern, Gather(*pattern, added, folder)};
}

// The running numbers missing between the first and the last part.
std::vector<std::string> Gaps(const Gathered& gathered) {
  std::set<long long> numbers;
  long long first = -1;
  long long last = -1;
  for (const Candidate& candidate : gathered.found) {
    if (!candidate.number) continue;
    numbers.insert(*candidate.number);
    if (candidate.otherExtension) continue;
    if (first < 0) first = *candidate.number;
    last = *candidate.number;
  }
  std::vector<std::string> gaps;
  if (last - first > kMostGapsLookedFor) return gaps;
  const PartPattern& pattern = gathered.pattern;
  for (long long n = first + 1; n < last; ++n)
    if (!numbers.contains(n))
      gaps.push_back(pattern.prefix + NumberText(n, pattern.width) + pattern.suffix);
  return gaps;
}

}  // namespace

RecordingParts FindRecordingParts(std::string_view added, std::span<const FolderFile> folder) {
  const Gathered gathered = Gather(added, folder);
  if (!HasNumberedParts(gathered.found)) return {{std::string(added)}, {}, {}};

  // Sizes are judged among the parts neither empty nor of another
  // extension (the added file always among them); the last may be smaller.
  const auto isAdded = [added](const Candidate& c) { return EqualsIgnoringCase(c.name, added); };
  std::vector<const Candidate*> sized;
  for (const Candidate& candidate : gathered.found)
    if (!candidate.otherExtension && (candidate.size != 0 || isAdded(candidate)))
      sized.push_back(&candidate);
  const std::int64_t typical = TypicalSize(sized);

  RecordingParts result;
  for (const Candidate& candidate : gathered.found) {
    std::optional<std::string> reason;
    if (candidate.otherExtension) {
      reason = std::string(gathered.pattern.suffix.empty() ? "another extension ("
                                                           : "another container (") +
               candidate.name.substr(candidate.name.rfind('.')) + ")";
    } else if (!isAdded(candidate)) {
      reason = candidate.size == 0 ? "it is empty"
                                   : SizeReason(candidate, &candidate == sized.back(), typical);
    }
    if (reason) {
      result.leftOut.push_back({candidate.name, *reason});
    } else {
      result.parts.push_back(candidate.name);
    }
  }
  result.gaps = Gaps(gathered);
  return result;
}

}  // namespace trellimux
