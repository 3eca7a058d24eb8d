#include "jobs/OldFileRemoval.h"

namespace trellimux {
namespace {

constexpr std::string_view kCloseTheHolder =
    "\r\n\r\nClose the program that uses it (a player, for example) and press Start again";

}  // namespace

OldFileRemoval JudgeOldFileRemoval(const OldFileFacts& facts) {
  if (facts.heldByAnother || (facts.deleted && facts.nameRemains)) return OldFileRemoval::kHeldOpen;
  return facts.deleted ? OldFileRemoval::kGone : OldFileRemoval::kFailed;
}

std::string HeldOutputFileText(std::string_view path) {
  std::string text =
      "The old output file could not be replaced because another program still "
      "has it open: ";
  text += path;
  text += kCloseTheHolder;
  text += ", or choose another output file.";
  return text;
}

std::string HeldTemporaryFileText(std::string_view path) {
  std::string text =
      "A temporary file could not be deleted because another program still has it open: ";
  text += path;
  text += kCloseTheHolder;
  text += '.';
  return text;
}

MessageRequest HeldFileMessage(std::string_view text) {
  return {" Error", text, MessageIcon::Error, MessageButtons::Ok};
}

}  // namespace trellimux
