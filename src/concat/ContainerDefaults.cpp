#include "concat/ContainerDefaults.h"

#include <array>

#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

// One row per entry of container list A, in its order: stream selection,
// subtitles, data, concat mode.
constexpr std::array<ConcatDefaults, kContainerListA.size()> kDefaults = {{
    {1, 0, 0, 1},  // Container
    {2, 1, 1, 1},  // .3gp
    {5, 1, 1, 1},  // .aac
    {5, 1, 1, 1},  // .ac3
    {0, 1, 1, 1},  // .avi
    {1, 1, 1, 1},  // .dv
    {5, 1, 1, 1},  // .flac
    {2, 1, 1, 1},  // .flv
    {2, 0, 1, 1},  // .hevc
    {0, 1, 1, 1},  // .mkv
    {5, 1, 1, 2},  // .mp2
    {5, 1, 1, 1},  // .mp3
    {0, 1, 1, 1},  // .mp4
    {0, 1, 1, 2},  // .mpeg
    {0, 1, 1, 2},  // .mpg
    {0, 0, 0, 1},  // .mov
    {1, 0, 0, 2},  // .ts
    {0, 1, 1, 2},  // .vob
    {5, 1, 1, 1},  // .wav
    {1, 0, 0, 1},  // .webm
    {0, 1, 1, 1},  // .wmv
}};

}  // namespace

ConcatDefaults ContainerDefaults(int container) {
  if (container < 0 || static_cast<std::size_t>(container) >= kDefaults.size()) return kDefaults[0];
  return kDefaults[static_cast<std::size_t>(container)];
}

}  // namespace trellimux
