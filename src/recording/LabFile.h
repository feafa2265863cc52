// The laboratory file (.rl2): a keyed text header and a tab-separated table, one row per
// sample. Written in three steps (header with placeholders, rows, placeholders patched),
// read as a header and then as a recording into the chart.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class TGLOB;

enum TLabResult {
  lrOk = 0,
  lrCannotOpen = 1,
  lrNewerFormat = 2,
  lrNotLaboratory = 3,
  lrCannotCreate = -2,
};

// Longest line the reader takes; a longer one is not a line of a laboratory file.
constexpr size_t MaxLabReadLine = 4096;
// Most rows the loader takes from a table, as many as a device file may give: a file of
// millions of short lines ends there instead of filling the memory.
constexpr size_t MaxLabLoadRows = 20000000;

// dd.mm.yyyy hh:mm:ss
std::string FormatLabDateTime(double dateTime);

// The destination directory, the moment now as "yyyy-mm-dd (hh-mm-ss) ", the postfix and
// ".rl2"; stored as FileName too.
std::string MakeRecordingFileName(TGLOB& glob, double now);
int CreateLabFile(TGLOB& glob, const std::string& path);
// Writes row DataCount and counts it; false when no file is open or the file holds the most
// rows its header can count, and nothing is written then.
bool AppendLabRow(TGLOB& glob);
void FinishLabFile(TGLOB& glob);
int ReadLabHeader(TGLOB& glob, const std::string& path);
// Loads OpenPath into the chart. progress(done, total) is told now and then.
int LoadLabFile(TGLOB& glob, const std::function<void(size_t done, size_t total)>& progress = {});
