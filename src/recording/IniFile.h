// A reader of INI-style text files: sections "[Name]" and "key=value" lines, as heart-rate
// files carry their parameters. Section and key names compare without regard to ASCII case,
// as the Windows reader of such files does; names and values lose the spaces and tabs around
// them. A key named twice in a section keeps its first value. Lines without "=" outside a
// section heading and lines starting with ";" are passed over.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <string_view>

// Longest line kept; the rest of a longer line is passed over, so that a file of one huge line
// costs no more memory than this. Lines of heart-rate files are a few dozen characters.
constexpr size_t MaxTextLine = 65536;

// One line of the stream up to its LF, with the CR of a CR LF dropped and cut to MaxTextLine
// characters. False at the end of the stream when there is no line left.
bool ReadTextLine(std::istream& in, std::string& line);

// A decimal integer making up the whole text but for spaces and tabs around it; false for
// anything else, a number out of the range of int among them, and value is left as it was.
bool ParseInteger(std::string_view text, int& value);

class TIniFile {
 public:
  // A file that cannot be opened reads as empty: every read gives its default.
  explicit TIniFile(const std::string& path);

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // A value that is no integer gives the default, as a missing key does.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

 private:
  const std::string* Find(const std::string& section, const std::string& key) const;

  // Section name to key to value, names folded to lower case.
  std::map<std::string, std::map<std::string, std::string>> Sections;
};
