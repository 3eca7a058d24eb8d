#include "jobs/StartChecks.h"

#include "concat/ByteJoin.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

constexpr MessageRequest OutputIsAnInputMessage(std::string_view caption) {
  return {caption, kOutputIsAnInputText, MessageIcon::Warning, MessageButtons::Ok};
}

StartCheck CheckJoinOutputPath(std::string_view outputPath, bool outputIsFolder) {
  if (!HasFolderPart(outputPath) || outputIsFolder) return StartCheck::Refuse(kJoinOutputPathNote);
  return StartCheck::GoOn();
}

}  // namespace

bool OutputIsAnInput(std::string_view output, std::span<const std::string> inputs) {
  for (const std::string& input : inputs)
    if (EqualsIgnoringCase(output, input)) return true;
  return false;
}

bool HasFolderPart(std::string_view path) {
  return path.find_first_of(":\\") != std::string_view::npos;
}

StartCheck CheckConcatStart(const ConcatStartFacts& facts) {
  if (facts.inputs.empty()) return StartCheck::Refuse(kEmptyInputListNote);
  const bool byteCopy = facts.concatMode == kWindowsFileConcat;
  if (OutputIsAnInput(facts.outputPath, facts.inputs))
    return StartCheck::Refuse(OutputIsAnInputMessage(byteCopy ? " Error" : " Warning"));
  if (!byteCopy && facts.commandEmpty) return StartCheck::Refuse(kEmptyCommandError);
  const StartCheck path = CheckJoinOutputPath(facts.outputPath, facts.outputIsFolder);
  if (path.outcome != StartCheck::kGoOn) return path;
  if (JoinsByteByByte(facts.concatMode) && AnyByteJoinPlaysFirstPartOnly(facts.inputs))
    return StartCheck::Ask(kByteJoinQuestion);
  return StartCheck::GoOn();
}

StartCheck CheckConvertStart(const ConvertStartFacts& facts) {
  if (!facts.hasStreams) return StartCheck::Refuse(kNoConvertInputNote);
  if (!HasFolderPart(facts.outputPath)) return StartCheck::Refuse(kConvertOutputPathError);
  if (EqualsIgnoringCase(facts.outputPath, facts.inputPath))
    return StartCheck::Refuse(OutputIsAnInputMessage(" Warning"));
  if (!facts.container) return StartCheck::EndSilently();
  if (*facts.container == 0) return StartCheck::Refuse(kNoContainerError);
  return StartCheck::GoOn();
}

StartCheck CheckTrimStart(const TrimStartFacts& facts) {
  if (!facts.hasStreams) return StartCheck::Refuse(kEmptyInputListNote);
  if (facts.commandEmpty) return StartCheck::Refuse(kEmptyCommandError);
  const StartCheck path = CheckJoinOutputPath(facts.outputPath, facts.outputIsFolder);
  if (path.outcome != StartCheck::kGoOn) return path;
  if (EqualsIgnoringCase(facts.outputPath, facts.inputPath))
    return StartCheck::Refuse(OutputIsAnInputMessage(" Warning"));
  if (JoinsByteByByte(facts.concatMode) && ByteJoinPlaysFirstPartOnly(facts.outputPath))
    return StartCheck::Ask(kByteJoinQuestion);
  return StartCheck::GoOn();
}

StartCheck CheckTrimConcatMode(std::optional<int> concatMode, std::size_t cutCount) {
  if (!concatMode || *concatMode < kNoConcatMode || *concatMode > kCutOnly)
    return StartCheck::EndSilently();
  if (*concatMode == kNoConcatMode) return StartCheck::Refuse(kSelectConcatModeNote);
  if (*concatMode == kDemuxerConcat && cutCount == 0) return StartCheck::EndSilently();
  return StartCheck::GoOn();
}

}  // namespace trellimux
