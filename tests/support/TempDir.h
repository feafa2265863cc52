// A fresh directory under the system's temporary directory, removed with its contents.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  const std::filesystem::path& Path() const { return Dir; }
  std::string File(const std::string& name) const { return (Dir / name).string(); }

 private:
  std::filesystem::path Dir;
};

std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
