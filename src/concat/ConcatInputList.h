// The Concat page's files to join, in join order, with at most one selected
// entry. The list view shows this model; the same path may appear twice.
#pragma once

#include <string>
#include <vector>

#include "model/SelectableList.h"

namespace trellimux {

class ConcatInputList : public SelectableList<std::string> {
 public:
  const std::vector<std::string>& Paths() const { return Items(); }

  // Deletes the selected entry; with none selected nothing is deleted and
  // the last entry becomes the selected one.
  void Remove() {
    if (!RemoveSelected() && !Empty()) Select(Size() - 1);
  }
};

}  // namespace trellimux
