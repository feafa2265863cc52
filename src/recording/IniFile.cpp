#include "recording/IniFile.h"

#include <charconv>
#include <fstream>

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

}  // namespace

bool ReadTextLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buffer = in.rdbuf();
  if (!in || !buffer) return false;
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
      break;
    }
    any = true;
    if (c == '\n') break;
    if (line.size() < MaxTextLine) line += static_cast<char>(c);
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool ParseInteger(std::string_view text, int& value) {
  text = Trim(text);
  const char* const end = text.data() + text.size();
  int parsed = 0;
  const auto result = std::from_chars(text.data(), end, parsed);
  if (result.ec != std::errc() || result.ptr != end) return false;
  value = parsed;
  return true;
}

TIniFile::TIniFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::map<std::string, std::string>* section = &Sections[std::string()];
  std::string line;
  while (ReadTextLine(in, line)) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      const size_t close = text.find(']');
      const std::string_view name = text.substr(1, close == std::string_view::npos ? text.size() - 1 : close - 1);
      section = &Sections[Folded(Trim(name))];
      continue;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    section->emplace(Folded(Trim(text.substr(0, equals))), std::string(Trim(text.substr(equals + 1))));
  }
}

const std::string* TIniFile::Find(const std::string& section, const std::string& key) const {
  const auto s = Sections.find(Folded(section));
  if (s == Sections.end()) return nullptr;
  const auto k = s->second.find(Folded(key));
  return k == s->second.end() ? nullptr : &k->second;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const std::string* value = Find(section, key);
  return value ? *value : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  const std::string* text = Find(section, key);
  int value = defaultValue;
  if (text) ParseInteger(*text, value);
  return value;
}
