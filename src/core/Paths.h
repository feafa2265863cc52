// Paths of the files the program writes.
#pragma once

#include <string>

// name in the directory: a separator between them unless the directory ends with one; an empty
// directory leaves the name as it is.
std::string InDirectory(const std::string& directory, const std::string& name);
// A file name with the part from its last dot replaced by extension, or extension appended.
std::string ReplaceExtension(const std::string& name, const std::string& extension);
// The file's own name, without its directory.
std::string WithoutDirectory(const std::string& path);
