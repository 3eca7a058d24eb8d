// The other files of a recording that a receiver split into parts, found
// beside the one the user added by their names and sizes: "Film.ts",
// "Film.ts.001", "Film.ts.002"; "Film_001.ts", "Film_002.ts"; "Film.001";
// "Film-1.rec"; any base name followed by a running number.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

struct FolderFile {
  std::string name;
  std::int64_t size = -1;  // -1: not known
};

struct LeftOutPart {
  std::string name;
  std::string reason;  // "another container (.mkv)", "it is empty", ...
};

struct RecordingParts {
  // In the recording's order, the added file among them; only the added
  // file when it is no part of one.
  std::vector<std::string> parts;
  // Names the running number leads one to expect between the first and
  // the last part, which the folder lacks.
  std::vector<std::string> gaps;
  // Files named as parts that do not look like ones.
  std::vector<LeftOutPart> leftOut;
};

// `added` is a file name in the folder whose files `folder` lists (the
// added one among them or not). Names compare ignoring ASCII case. A part
// is left out when its size is far from the others' (under half or over
// twice the middle one of all but the last part; the last part may be
// smaller), when it is empty, or when its name ends in another extension.
RecordingParts FindRecordingParts(std::string_view added, std::span<const FolderFile> folder);

}  // namespace trellimux
