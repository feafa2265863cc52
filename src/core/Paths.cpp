#include "core/Paths.h"

#include <filesystem>

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == std::filesystem::path::preferred_separator) return directory + name;
  return directory + std::filesystem::path::preferred_separator + name;
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  const size_t dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + extension;
}
