#include "concat/PartsQuestion.h"

#include "text/AsciiText.h"

namespace trellimux {
namespace {

// A long run of missing numbers would push the buttons off the screen.
constexpr std::size_t kGapsNamed = 5;

std::string GapLine(const std::vector<std::string>& gaps) {
  std::string line = "Missing in the numbering: ";
  for (std::size_t i = 0; i < gaps.size() && i < kGapsNamed; ++i) {
    if (i > 0) line += ", ";
    line += gaps[i];
  }
  if (gaps.size() > kGapsNamed)
    line += " and " + std::to_string(gaps.size() - kGapsNamed) + " more";
  return line + ".";
}

}  // namespace

std::optional<PartsQuestion> AskForOtherParts(const RecordingParts& parts, std::string_view added) {
  std::string names;
  std::size_t others = 0;
  for (const std::string& part : parts.parts) {
    if (EqualsIgnoringCase(part, added)) continue;
    names += "\r\n" + part;
    ++others;
  }
  if (others == 0) return std::nullopt;

  std::string text = others == 1
                         ? "Add the other part of this recording?"
                         : "Add the other " + std::to_string(others) + " parts of this recording?";
  text += "\r\n" + names;
  std::string notes;
  if (!parts.gaps.empty()) notes += "\r\n" + GapLine(parts.gaps);
  for (const LeftOutPart& part : parts.leftOut)
    notes += "\r\nLeft out: " + part.name + ", " + part.reason + ".";
  if (!notes.empty()) text += "\r\n" + notes;
  return PartsQuestion{std::move(text)};
}

}  // namespace trellimux
