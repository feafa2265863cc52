// What the benchmarks share: a laboratory file of 999,999 rows and three channels, and the
// median of repeated timings.
#pragma once

#include <string>
#include <vector>

class TGLOB;

constexpr int LongFileRows = 999999;

// Writes the file with the program's own writer; glob's chart is left empty.
void WriteLongLabFile(TGLOB& glob, const std::string& path);
double Median(std::vector<double> values);
