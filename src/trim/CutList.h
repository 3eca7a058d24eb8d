// The Trim page's sections to keep, in join order, with at most one selected
// cut. A cut's number is its position, so numbers stay dense from 0.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/SelectableList.h"

namespace trellimux {

struct Cut {
  std::string in;  // "HH:MM:SS.mmm"
  std::string out;
};

class CutList : public SelectableList<Cut> {
 public:
  const std::vector<Cut>& Cuts() const { return Items(); }
};

// The "Cuts" column text of a position: "0", "1", ...
inline std::string CutNumberText(std::size_t position) { return std::to_string(position); }

}  // namespace trellimux
