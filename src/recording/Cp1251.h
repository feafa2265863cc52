// Texts of laboratory files are Windows-1251 on disk and UTF-8 in memory.
#pragma once

#include <string>
#include <string_view>

// Characters Windows-1251 has no byte for become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);
