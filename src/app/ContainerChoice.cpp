#include "app/ContainerChoice.h"

#include "model/FixedItemLists.h"
#include "text/AsciiText.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

constexpr int kFirstContainer = 1;
constexpr int kContainerCount = static_cast<int>(kContainerListA.size());

}  // namespace

RecognisedContainer RecogniseContainer(std::string_view extension) {
  if (extension.empty()) return {};
  for (int item = kFirstContainer; item < kContainerCount; ++item)
    if (EqualsIgnoringCase(kContainerListA[item], extension)) return {item, false};
  // A longer or variant name (".mpeg2", ".tsx") by its first three characters,
  // the point included.
  const std::string_view start = extension.substr(0, 3);
  for (int item = kFirstContainer; item < kContainerCount; ++item)
    if (StartsWithIgnoringCase(kContainerListA[item], start)) return {item, false};
  return {0, true};
}

std::string OutputPathForContainer(std::string_view outputPath, int item,
                                   std::string_view inputExtension) {
  const bool listed = item >= kFirstContainer && item < kContainerCount;
  return ReplaceExtension(outputPath, listed ? kContainerListA[item] : inputExtension);
}

}  // namespace trellimux
