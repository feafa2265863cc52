// The rows a laboratory file's table gives, counted apart from the loader: its lines up to the
// first one longer than a laboratory file has, blank lines aside, no more than the loader takes.
#pragma once

#include <string_view>

#include "recording/LabFile.h"

inline size_t LabTableRows(std::string_view table) {
  size_t rows = 0;
  while (!table.empty()) {
    const size_t nl = table.find('\n');
    std::string_view line = table.substr(0, nl);
    if (line.size() > MaxLabReadLine) break;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && ++rows == MaxLabLoadRows) break;
    if (nl == std::string_view::npos) break;
    table.remove_prefix(nl + 1);
  }
  return rows;
}
