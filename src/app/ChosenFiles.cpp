#include "app/ChosenFiles.h"

#include <algorithm>

#include "text/NaturalOrder.h"

namespace trellimux {

std::vector<std::string> ChosenFiles(std::string_view buffer) {
  std::vector<std::string_view> items;
  std::size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    std::size_t end = buffer.find('\0', at);
    if (end == std::string_view::npos) end = buffer.size();
    items.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (items.size() <= 1) return {items.begin(), items.end()};

  // A drive's root comes with its separator ("C:\"), other folders without.
  std::string folder(items.front());
  if (!folder.ends_with('\\')) folder += '\\';
  std::ranges::sort(items.begin() + 1, items.end(), NaturallyBefore);
  std::vector<std::string> paths;
  for (auto name = items.begin() + 1; name != items.end(); ++name)
    paths.push_back(folder + std::string(*name));
  return paths;
}

}  // namespace trellimux
