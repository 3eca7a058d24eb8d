// The seams of a byte join's parts read from the files themselves: each
// one that may be an MPEG-TS by its name is opened and looked at where its
// first packets and the end of the part before lie (a few MiB at most).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transport/PartSeams.h"

namespace trellimux {

// One seam per path, in order; a file that cannot be opened is read whole
// (the join itself then meets and reports the failure).
std::vector<PartSeam> ReadPartSeams(const std::vector<std::string>& paths);

// Where each part is read from.
std::vector<std::int64_t> PartStarts(const std::vector<PartSeam>& seams);

// The starts of the last list of parts, read again only when a path, a
// size or a time of last writing changed: the Concat line is rebuilt at
// every option the user picks, and each seam reads a few MiB.
class PartStartMemory {
 public:
  std::vector<std::int64_t> Starts(const std::vector<std::string>& paths);

 private:
  struct Stamp {
    std::string path;
    std::int64_t size = -1;
    std::uint64_t written = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::string& path);

  std::vector<Stamp> stamps_;
  std::vector<std::int64_t> starts_;
};

}  // namespace trellimux
