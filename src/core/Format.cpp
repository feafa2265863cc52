#include "core/Format.h"

#include <cstdio>

std::string FormatFixed(double value, int decimals, char separator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result(text);
  for (char& c : result)
    if (c == '.') c = separator;
  return result;
}
