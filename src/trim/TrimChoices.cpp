#include "trim/TrimChoices.h"

#include <string_view>

#include "concat/ConcatCommand.h"
#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

struct ContainerModes {
  std::string_view container;
  TrimModeDefaults modes;
};

// The containers that do not start with {kReencodeCut, kDemuxerConcat}: MP4
// and raw HEVC are cut by copying; the MPEG program and transport streams are
// joined by the concat: protocol, as one byte stream.
constexpr ContainerModes kContainerModes[] = {
    {".hevc", {kCopyCut, kDemuxerConcat}}, {".mp4", {kCopyCut, kDemuxerConcat}},
    {".mp2", {kReencodeCut, kFileConcat}}, {".mpeg", {kReencodeCut, kFileConcat}},
    {".mpg", {kReencodeCut, kFileConcat}}, {".ts", {kReencodeCut, kFileConcat}},
    {".vob", {kReencodeCut, kFileConcat}},
};

}  // namespace

TrimModeDefaults TrimDefaultsFor(int container) {
  if (container > 0 && static_cast<std::size_t>(container) < kContainerListA.size())
    for (const ContainerModes& entry : kContainerModes)
      if (entry.container == kContainerListA[container]) return entry.modes;
  return {kReencodeCut, kDemuxerConcat};
}

TrimChoices TrimChoiceMemory::EnterExpert(const TrimChoices& current) {
  easy_ = current;
  return expert_;
}

TrimChoices TrimChoiceMemory::LeaveExpert(const TrimChoices& current) {
  expert_ = current;
  return easy_;
}

}  // namespace trellimux
