#include "text/PathText.h"

namespace trellimux {

std::string_view PathExtension(std::string_view path) {
  const std::size_t nameStart = path.find_last_of("\\/:");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  if (nameStart != std::string_view::npos && dot < nameStart) return {};
  return path.substr(dot);
}

std::string_view PathFolder(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) return {};
  return path.substr(0, separator + 1);
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  std::string result(path.substr(0, path.size() - PathExtension(path).size()));
  result += extension;
  return result;
}

std::string_view PathFileName(std::string_view path) {
  return path.substr(PathFolder(path).size());
}

}  // namespace trellimux
