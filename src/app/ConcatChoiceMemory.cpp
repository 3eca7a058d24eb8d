#include "app/ConcatChoiceMemory.h"

namespace trellimux {
namespace {

std::optional<ConcatChoices> Swap(ConcatChoices& keep, const ConcatChoices& restore,
                                  std::optional<int> container, std::optional<int> concatMode) {
  if (!container || !concatMode) return std::nullopt;
  keep = {*container, *concatMode};
  return restore;
}

}  // namespace

std::optional<ConcatChoices> ConcatChoiceMemory::Enter(std::optional<int> container,
                                                       std::optional<int> concatMode) {
  return Swap(automatic_, expert_, container, concatMode);
}

std::optional<ConcatChoices> ConcatChoiceMemory::Leave(std::optional<int> container,
                                                       std::optional<int> concatMode) {
  return Swap(expert_, automatic_, container, concatMode);
}

void ConcatChoiceMemory::RememberForBoth(ConcatChoices choices) {
  automatic_ = choices;
  expert_ = choices;
}

}  // namespace trellimux
