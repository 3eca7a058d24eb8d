#include "jobs/FailureText.h"

#include <array>

#include "text/Utf8Text.h"

namespace trellimux {
namespace {

constexpr std::size_t kMostCauseLines = 3;
constexpr std::size_t kLongestCauseLine = 300;  // a longer line is cut with "..."

// Lines ffmpeg prints on every run, failed or not, that say nothing about a
// failure (fftools/ffmpeg.c: print_report's status line, redrawn after a
// bare CR, and print_final_stats's summary; the verdict main() prints after
// any failure; the note after a stop by signal).
constexpr std::array<std::string_view, 5> kNoCausePrefixes = {
    "frame=", "size=", "video:", "Conversion failed!", "Exiting normally",
};

// Lines that belong to the listing ffmpeg prints before it starts to work:
// what precedes them is no longer about the failure (the listing's own
// lines are indented: "  Stream #0:0 ...", "    Metadata:").
constexpr std::array<std::string_view, 4> kListingPrefixes = {
    "Input #",
    "Output #",
    "Stream mapping:",
    "Press [q] to stop",
};

bool StartsWithAny(std::string_view line, const auto& prefixes) {
  for (std::string_view prefix : prefixes) {
    if (line.starts_with(prefix)) return true;
  }
  return false;
}

// "[mp2 @ 0x55d0c8f0] text" -> "mp2: text" (ffmpeg.exe prints the address
// without "0x"); "[NULL @ ...]", a context without a component, names none.
std::string WithoutAddress(std::string_view line) {
  if (!line.starts_with('[')) return std::string(line);
  const std::size_t at = line.find(" @ ");
  const std::size_t end = line.find("] ");
  if (at == std::string_view::npos || end == std::string_view::npos || at > end) {
    return std::string(line);
  }
  const std::string_view component = line.substr(1, at - 1);
  const std::string_view message = line.substr(end + 2);
  if (component == "NULL") return std::string(message);
  return std::string(component) + ": " + std::string(message);
}

std::string_view TrimmedEnd(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

// The lines of the output, split at CR and at LF alike (a redrawn status
// line ends in a bare CR).
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return lines;
}

std::string ExitCodeText(unsigned long code) {
  if (code < 0x10000) return std::to_string(code);
  // A crash's status (0xC0000005 ...) is known by its hexadecimal spelling.
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (; code != 0; code >>= 4) hex.insert(hex.begin(), kDigits[code & 15]);
  return "0x" + hex;
}

// " It gave this reason:" and the quoted lines, or "" when it gave none.
std::string ReasonText(std::string_view output) {
  const std::vector<std::string> lines = CauseLines(output);
  if (lines.empty()) return "";
  std::string text = " It gave this reason:\r\n";
  for (const std::string& line : lines) text += "\r\n    " + line;
  return text;
}

constexpr char kParagraph[] = "\r\n\r\n";
constexpr char kLogNote[] =
    "Everything FFmpeg wrote is in the log window: press \"Show last log\" to read it.";

}  // namespace

void OutputTail::Add(std::string_view bytes) {
  text_.append(bytes);
  // Dropped in large steps, so that a chatty child costs no copying per read.
  if (text_.size() > 2 * kLimit) text_.erase(0, text_.size() - kLimit);
}

std::string_view OutputTail::Text() const {
  std::string_view text = text_;
  if (text.size() <= kLimit) return text;
  text.remove_prefix(text.size() - kLimit);
  // The first line was cut off: it begins after its line break.
  const std::size_t lineEnd = text.find_first_of("\r\n");
  return lineEnd == std::string_view::npos ? text : text.substr(lineEnd + 1);
}

std::vector<std::string> CauseLines(std::string_view output) {
  const std::vector<std::string_view> lines = SplitLines(output);
  std::vector<std::string> causes;
  for (auto it = lines.rbegin(); it != lines.rend() && causes.size() < kMostCauseLines; ++it) {
    const std::string_view raw = TrimmedEnd(*it);
    if (raw.empty()) continue;
    if (raw.front() == ' ' || raw.front() == '\t' || StartsWithAny(raw, kListingPrefixes)) break;
    std::string line = WithoutAddress(raw);
    if (StartsWithAny(std::string_view(line), kNoCausePrefixes)) continue;
    if (line.size() > kLongestCauseLine)  // cut between characters, not inside one
      line = line.substr(0, WholeUtf8Length(std::string_view(line).substr(0, kLongestCauseLine))) +
             "...";
    causes.insert(causes.begin(), std::move(line));
  }
  return causes;
}

std::string FfmpegFailedText(const FfmpegRun& run, unsigned long exitCode, std::string_view output,
                             std::string_view leftOutput) {
  const std::string code = " (exit code " + ExitCodeText(exitCode) + ").";
  std::string text;
  switch (run.kind) {
    case FfmpegRun::kOnlyRun:
      text = "FFmpeg could not do this job" + code;
      break;
    case FfmpegRun::kCut:
      text = "Cut " + std::to_string(run.cut) + " of " + std::to_string(run.cuts) +
             ": FFmpeg could not make this cut" + code;
      break;
    case FfmpegRun::kJoin:
      text = "Join: FFmpeg could not join the cuts" + code;
      break;
  }
  text += ReasonText(output);
  if (run.kind == FfmpegRun::kCut) {
    text += std::string(kParagraph) + "Trimming stopped here: no later cut and no join was made.";
  }
  if (!leftOutput.empty()) {
    text += std::string(kParagraph) + "The output file is incomplete (it was left as it is):\r\n" +
            std::string(leftOutput);
  }
  return text + kParagraph + kLogNote;
}

std::string CopyFailedText(const FfmpegRun& run, std::string_view reason) {
  return "Cut " + std::to_string(run.cut) + " of " + std::to_string(run.cuts) +
         ": the cut could not be made of its pieces and the input: " +
         std::string(reason) + kParagraph +
         "Trimming stopped here: no later cut and no join was made." + kParagraph + kLogNote;
}

std::string ProbeFailedText(std::string_view inputPath, unsigned long exitCode,
                            std::string_view output) {
  std::string text = "This file could not be read:\r\n" + std::string(inputPath) + kParagraph;
  text += exitCode == 0 ? std::string("FFprobe ended without describing it.")
                        : "FFprobe ended with exit code " + ExitCodeText(exitCode) +
                              " without describing it.";
  text += ReasonText(output);
  return text + kParagraph + "It may not be a media file, or it may be damaged or incomplete.";
}

}  // namespace trellimux
