#include "core/Paths.h"

#include <filesystem>

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == std::filesystem::path::preferred_separator) return directory + name;
  return directory + std::filesystem::path::preferred_separator + name;
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  // Only a dot in the file's own name starts an extension, not one in a directory's.
  const size_t slash = name.find_last_of(std::filesystem::path::preferred_separator);
  const size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? name.substr(0, dot) : name) + extension;
}

std::string WithoutDirectory(const std::string& path) {
  const size_t slash = path.find_last_of(std::filesystem::path::preferred_separator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
