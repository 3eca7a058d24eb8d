#include "jobs/LogTail.h"

#include <utility>

namespace trellimux {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

LogTail::LogTail(std::size_t shownSize, Keeper keeper, std::string keptWhere)
    : shownSize_(shownSize), keeper_(std::move(keeper)), keptWhere_(std::move(keptWhere)) {}

void LogTail::Reset(std::string_view text) {
  shown_.assign(text);
  outgrown_ = false;
  keptWhole_ = true;
}

ShownLogChange LogTail::Add(std::string_view text) {
  if (shown_.size() + text.size() <= 2 * shownSize_) {
    if (outgrown_) Keep(text);
    shown_ += text;
    return {ShownLogChange::Kind::Append, std::string(text)};
  }
  // Until now the window held the whole log.
  if (!outgrown_) Keep(shown_);
  outgrown_ = true;
  Keep(text);
  StartFromLastPart(text);
  return {ShownLogChange::Kind::Replace, LogTailNotice(keptWhere_, keptWhole_) + shown_};
}

void LogTail::Keep(std::string_view text) {
  // After a failed write the keeper's file has a gap: it is no longer whole.
  if (keptWhole_ && !keeper_(text)) keptWhole_ = false;
}

void LogTail::StartFromLastPart(std::string_view text) {
  if (text.size() >= shownSize_) {
    shown_.assign(text.substr(text.size() - shownSize_));
  } else {
    shown_.erase(0, shown_.size() - (shownSize_ - text.size()));
    shown_ += text;
  }
  // From the first whole line; in one endless line, from a whole character.
  const std::size_t lineEnd = shown_.find('\n');
  std::size_t start = lineEnd != std::string::npos && lineEnd + 1 < shown_.size() ? lineEnd + 1 : 0;
  while (start < shown_.size() && IsContinuation(shown_[start])) ++start;
  shown_.erase(0, start);
}

std::string LogTailNotice(std::string_view keptWhere, bool kept) {
  std::string notice = "[Only the end of this log is shown here. ";
  if (kept) {
    notice += "The whole log is in \"" + std::string(keptWhere) +
              "\": double-click this line to open it.]";
  } else {
    notice += "The whole log could not be saved to \"" + std::string(keptWhere) + "\".]";
  }
  return notice + "\r\n\r\n";
}

}  // namespace trellimux
