// The Concat page remembers two pairs of choices (output container, concat
// mode): the automatic pair, set from the first input's container, and the
// user's own pair of expert mode. Switching the mode swaps them in the lists.
#pragma once

#include <optional>

namespace trellimux {

struct ConcatChoices {
  int container = 0;   // item of the container list
  int concatMode = 0;  // item of the concat-mode list
};

class ConcatChoiceMemory {
 public:
  // Entering expert mode with the lists' current selections (nullopt: none).
  // Returns the choices to select, or nullopt when a list has no selection,
  // in which case nothing is remembered and the lists stay as they are.
  std::optional<ConcatChoices> Enter(std::optional<int> container, std::optional<int> concatMode);

  // Leaving expert mode: the mirror image of Enter.
  std::optional<ConcatChoices> Leave(std::optional<int> container, std::optional<int> concatMode);

  // A new list's first input sets both pairs to its container's choices.
  void RememberForBoth(ConcatChoices choices);

  ConcatChoices Automatic() const { return automatic_; }
  ConcatChoices Expert() const { return expert_; }

 private:
  ConcatChoices automatic_;
  ConcatChoices expert_;
};

}  // namespace trellimux
